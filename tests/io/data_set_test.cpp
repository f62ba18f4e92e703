#include <gtest/gtest.h>

#include <sstream>

#include "foundation/exception.h"
#include "io/data_set.h"
#include "io/data_text.h"
#include "io/opus.h"
#include "reader_support.h"

namespace {

namespace DataSet = Core::DataSet;

class Recorder : public Winplus::EventObserver<DataSetEvent> {
public:
    bool Notify(const DataSetEvent& code) override {
        codes.push_back(CodeNumber(code));
        return true;
    }
    std::vector<int> codes;
};

Spectrum::Ptr Named(const std::string& name) {
    Spectrum::Ptr s = Safe::MakeX<Spectrum>();
    s->SetName(name);
    return s;
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Spectrum::Ptr& s : DataSet::GetSet()) names.push_back(s->GetNameA());
    return names;
}

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataSet::Clear();
        DataSet::SetOpusType(Opus::kReflectance);
        registration = DataSet::AddObserver(recorder);
    }
    void TearDown() override {
        Platform::SetFileDialogHandler(nullptr);
        DataSet::Clear();
    }
    // The file dialogs answer with these paths and remember what they were asked.
    void Choose(std::vector<std::string> paths) {
        Platform::SetFileDialogHandler([this, paths](const Platform::FileDialogRequest& request) {
            requests.push_back(request);
            return paths;
        });
    }

    Safe::XPtr<Recorder> recorder = Safe::MakeX<Recorder>();
    EventBus::Registration registration;
    test::CapturedBoxes boxes;
    test::ScratchFolder folder{"data-set"};
    std::vector<Platform::FileDialogRequest> requests;
};

TEST_F(DataSetTest, CurrentSpectrum) {
    auto spectra = Safe::MakeX<Core::SpectrumSet>();
    for (const char* name : {"a", "b", "c"}) spectra->Add(Named(name));
    DataSet::Replace(spectra);
    DataSet::SelectIndex(5);
    EXPECT_EQ(DataSet::GetCurrent()->GetNameA(), "c");
    DataSet::SelectIndex(0);
    EXPECT_EQ(DataSet::GetCurrent()->GetNameA(), "a");
    DataSet::SelectIndex(-1);
    EXPECT_EQ(DataSet::GetCurrent()->GetNameA(), "c");
    DataSet::SetCurrent(DataSet::GetCurrent());  // already current: nothing to announce
    Spectrum::Ptr outside = Named("not in the set");
    DataSet::SetCurrent(outside);
    EXPECT_EQ(DataSet::GetCurrent(), outside);
    DataSet::Clear();
    EXPECT_FALSE(DataSet::GetCurrent());
    EXPECT_EQ(DataSet::GetSet().Count(), 0);
    DataSet::SelectIndex(0);
    EXPECT_FALSE(DataSet::GetCurrent());
    EXPECT_EQ(recorder->codes, (std::vector<int>{130, 230, 230, 230, 230, 130, 230}));
}

TEST_F(DataSetTest, ReplaceMakesNamesUniqueAndDropsTheCurrentSpectrum) {
    DataSet::SetCurrent(Named("old"));
    auto spectra = Safe::MakeX<Core::SpectrumSet>();
    spectra->Add(Named("s"));
    spectra->Add(Named("t"));
    spectra->At(1)->SetName(std::string("s"));  // the same name, as a project may hold them
    DataSet::Replace(spectra);
    EXPECT_EQ(Names(), (std::vector<std::string>{"s", "s@1"}));
    EXPECT_FALSE(DataSet::GetCurrent());
    DataSet::Replace(nullptr);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(recorder->codes, (std::vector<int>{230, 130, 130}));
}

TEST_F(DataSetTest, ProcessResetEmptiesTheSet) {
    const std::string path = folder.Write("sample.dat", "1 2\n2 3\n");
    ASSERT_TRUE(DataSet::AddDataFile(path));
    DataSet::SelectIndex(0);
    DataSet::SetOpusType(0x300F);
    ResetProcessState();
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(DataSet::GetCurrent());
    EXPECT_EQ(DataSet::GetDataFolder(), "");
    EXPECT_EQ(DataSet::GetOpusType(), Opus::kReflectance);
    DataSet::Clear();  // the test's observer went with the reset
    EXPECT_EQ(recorder->codes, (std::vector<int>{130, 230}));
}

TEST_F(DataSetTest, AddedFilesAreNamedAfterTheFile) {
    const std::string path = folder.Write("sample.dat", "1 2\n2 3\n");
    EXPECT_TRUE(DataSet::AddDataFile(path));
    EXPECT_TRUE(DataSet::Reload(path));
    EXPECT_EQ(Names(), (std::vector<std::string>{"sample", "sample@1"}));
    EXPECT_EQ(DataSet::GetDataFolder(), folder.Path());
    EXPECT_EQ(recorder->codes, (std::vector<int>{130, 130}));

    EXPECT_FALSE(DataSet::AddDataFile(folder.Write("words.txt", "no numbers here\n")));
    EXPECT_FALSE(DataSet::AddDataFile(folder.File("missing.dat")));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.text, "Invalid Data File");
        EXPECT_EQ(box.caption, "Message");
        EXPECT_EQ(box.icon, Platform::BoxIcon::Stop);
    }
    EXPECT_EQ(DataSet::GetSet().Count(), 2);
    EXPECT_EQ(recorder->codes.size(), 2u);
}

TEST_F(DataSetTest, LoadOrderAndRequestedOpusKind) {
    DataSet::SetOpusType(0x101F);
    EXPECT_TRUE(DataSet::AddDataFile(test::TestData("opus/617262_1TP_C-1_A5.0")));
    EXPECT_TRUE(DataSet::AddDataFile(test::TestData("jcamp/dupinc1.jdx")));
    EXPECT_TRUE(DataSet::AddDataFile(folder.Write("columns.txt", "x y\n1 2\n3 4\n5 6\n")));
    ASSERT_EQ(Names(), (std::vector<std::string>{"617262_1TP_C-1_A5", "dupinc1", "columns"}));
    EXPECT_EQ(DataSet::GetSet().At(0)->Size(), 3578);
    EXPECT_EQ(DataSet::GetSet().At(1)->Size(), 440);
    EXPECT_EQ(DataSet::GetSet().At(2)->Size(), 3);
    EXPECT_TRUE(boxes.boxes.empty());

    // A JCAMP-DX file that fails shows its own message, then the load's.
    bool report = true;
    EXPECT_FALSE(DataSet::LoadFile(test::TestData("jcamp/pktab1.jdx"), report));
    EXPECT_TRUE(report);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"PEAK TABLE option is not implemented"});
}

TEST_F(DataSetTest, MultipleSelection) {
    // Cancelled: nothing happens.
    Choose({});
    EXPECT_FALSE(DataSet::LoadDataFile(nullptr));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "Load Data File");
    EXPECT_EQ(requests[0].filter,
              "Data Files (*.dat)-*.dat-JCAMPDX Files (*.dx)-*.dx-All Files (*.*)-*.*-");
    EXPECT_EQ(requests[0].defaultExtension, "dat");
    EXPECT_FALSE(requests[0].save);

    // A good file, an Opus file without the requested kind, a bad file: once the Opus file has
    // listed its kinds, the bad file is not reported.
    const std::string bad = folder.Write("bad.dat", "nothing\n");
    Choose({test::TestData("opus/test_spectra.0"), test::TestData("opus/issue81_A1.1.0"), bad});
    EXPECT_TRUE(DataSet::LoadDataFile(nullptr));
    EXPECT_EQ(Names(), std::vector<std::string>{"test_spectra"});
    EXPECT_EQ(recorder->codes, std::vector<int>{131});
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                                 "This spectra type is not present in the file.\nAvailable spectra "
                                 "types :\n- Background single chanel\n- Sample single chanel\n- "
                                 "AB spectrum"});
    EXPECT_EQ(DataSet::GetDataFolder(), test::TestData("opus"));

    // A reader's exception is shown for its file; the others still load and report.
    std::string cut = test::ReadAll(test::TestData("opus/test_spectra.0"));
    cut.resize(60000);
    const std::string broken = folder.Write("broken.0", cut);
    const std::string good = folder.Write("good.dat", "1 2\n3 4\n");
    boxes.boxes.clear();
    Choose({broken, bad, good, good});
    EXPECT_TRUE(DataSet::LoadDataFile(nullptr));
    EXPECT_EQ(requests.back().initialFolder, test::TestData("opus"));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Invalid Opus file", "Invalid Data File"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"test_spectra", "good", "good@1"}));
    EXPECT_EQ(recorder->codes, (std::vector<int>{131, 131, 131}));
}

TEST_F(DataSetTest, AReadErrorRefusesItsFileAndTheOthersLoad) {
    // The system's message, as a Winplus::Exception that is a std::exception too.
    test::FailingBuffer buffer("1 2\n3 4\n");
    std::istream in(&buffer);
    bool report = true;
    std::string message;
    try {
        DataSet::LoadStream(in, report);
    } catch (const std::exception& e) {
        EXPECT_NE(dynamic_cast<const Winplus::Exception*>(&e), nullptr);
        message = e.what();
    }
    EXPECT_EQ(message, "File read failed");

    // A folder chosen as a file: opened and unreadable, or not opened at all.
    const std::string good = folder.Write("good.dat", "1 2\n3 4\n");
    Choose({folder.Path(), good});
    EXPECT_TRUE(DataSet::LoadDataFile(nullptr));
    EXPECT_EQ(Names(), std::vector<std::string>{"good"});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].text == "File read failed" ||
                boxes.boxes[0].text == "Invalid Data File")
        << boxes.boxes[0].text;
}

TEST_F(DataSetTest, WritingAndSaving) {
    Spectrum::Ptr s = Named("curve");
    s->Resize(2);
    s->SetPoint(0, 1.0, 2.0, 3.0);
    s->SetPoint(1, 4.0, 5.0, 6.0);
    auto written = [&](int part) {
        const std::string path = folder.File("part" + std::to_string(part) + ".dat");
        EXPECT_TRUE(DataSet::WriteFile(path, s, part));
        std::istringstream in(test::ReadAll(path));
        return Core::ReadTextFile(in);
    };
    EXPECT_EQ(written(1)->Re()->Values(), (std::vector<double>{2.0, 5.0}));
    EXPECT_EQ(written(2)->Re()->Values(), (std::vector<double>{3.0, 6.0}));
    Spectrum::Ptr all = written(0);
    EXPECT_EQ(all->Re()->Values(), (std::vector<double>{2.0, 5.0}));
    EXPECT_EQ(all->Im()->Values(), (std::vector<double>{3.0, 6.0}));
    EXPECT_FALSE(DataSet::WriteFile(folder.File("null.dat"), nullptr, 0));

    // No dialog for a null spectrum; a cancelled dialog saves nothing.
    Choose({});
    EXPECT_FALSE(DataSet::SaveDataFile(nullptr, nullptr, 0));
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(DataSet::SaveDataFile(nullptr, s, 0));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].title, "Save Data");
    EXPECT_EQ(requests[0].filter, "Data Files (*.dat)-*.dat-All Files (*.*)-*.*-");
    EXPECT_EQ(requests[0].fileName, "curve");
    EXPECT_EQ(requests[0].defaultExtension, "dat");

    const std::string dataFolder = DataSet::GetDataFolder();
    const std::string chosen = folder.File("saved.dat");
    Choose({chosen});
    EXPECT_TRUE(DataSet::SaveDataFile(nullptr, s, 2));
    std::istringstream in(test::ReadAll(chosen));
    EXPECT_EQ(Core::ReadTextFile(in)->Re()->Values(), (std::vector<double>{3.0, 6.0}));
    EXPECT_EQ(DataSet::GetDataFolder(), dataFolder);  // saving leaves it alone

    // A file that cannot be written is reported, not passed off as saved.
    EXPECT_FALSE(DataSet::WriteFile(folder.File("missing/folder.dat"), s, 0));
    boxes.boxes.clear();
    Choose({folder.File("missing/folder.dat")});
    EXPECT_FALSE(DataSet::SaveDataFile(nullptr, s, 0));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"File write failed"});
}

}  // namespace
