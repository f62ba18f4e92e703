#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "foundation/exception.h"
#include "io/binary_stream.h"
#include "io/spectrum_record.h"
#include "record_support.h"

namespace {

using test::Hex;
using test::Message;

TEST(BinaryStream, PrimitivesAreLittleEndian) {
    BinaryWriter writer;
    writer.WriteInt(TagMathMap);
    writer.WriteInt(-TagMathMap);
    writer.WriteBool(true);
    writer.WriteBool(false);
    writer.WriteString("");
    writer.WriteString("ab");
    writer.WriteDouble(1.0);
    EXPECT_EQ(Hex(writer.Bytes()),
              "75 27 00 00 8B D8 FF FF B2 FA B1 FA D2 BA D1 BA 00 00 00 00 02 00 00 00 61 62 "
              "00 00 00 00 00 00 F0 3F ");

    BinaryReader reader = BinaryReader::FromBytes(writer.Bytes());
    EXPECT_TRUE(Core::IsTag(TagMathMap, reader.ReadInt()));
    EXPECT_TRUE(Core::IsEndTag(TagMathMap, reader.ReadInt()));
    EXPECT_TRUE(reader.ReadBool());
    EXPECT_FALSE(reader.ReadBool());
    EXPECT_EQ(reader.ReadString(), "");
    EXPECT_EQ(reader.ReadString(), "ab");
    EXPECT_EQ(reader.ReadDouble(), 1.0);
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(Message([&] { reader.ReadU32(); }), "Unexpected end of file.");
}

TEST(BinaryStream, MalformedInputFailsWithItsMessage) {
    EXPECT_EQ(Message([] { BinaryReader::FromBytes(std::string("\x01\0\0\0", 4)).ReadBool(); }),
              "Data corruption");
    EXPECT_EQ(Message([] { BinaryReader::FromBytes("ab").ReadU32(); }), "Unexpected end of file.");
    // A string whose count exceeds what remains allocates nothing and fails.
    EXPECT_EQ(
        Message([] { BinaryReader::FromBytes(std::string("\xFF\xFF\xFF\xFF", 4)).ReadString(); }),
        "Unexpected end of file.");
    BinaryReader afterEnd = BinaryReader::FromBytes("abc");
    EXPECT_EQ(Message([&] { afterEnd.ReadU32(); }), "Unexpected end of file.");
    EXPECT_EQ(Message([&] { afterEnd.ReadString(); }), "Unexpected end of file.");
    EXPECT_EQ(Message([] { BinaryReader("/nonexistent/folder/file.mod"); }), "Couldn't open file.");
    EXPECT_EQ(Message([] { BinaryWriter("/nonexistent/folder/file.mod"); }), "Couldn't open file.");
}

Spectrum::Ptr Sample() {
    Spectrum::Ptr s = Safe::MakeX<Spectrum>();
    s->SetName(std::string("sample \xE9"));
    s->Resize(3);
    for (int i = 0; i < 3; ++i) s->SetPoint(i, 100.0 + i, i * 0.5, -i);
    s->SetKind(4);
    return s;
}

std::string SampleRecord() {
    BinaryWriter writer;
    Core::WriteSpectrumRecord(Sample(), writer);
    return writer.Bytes();
}

TEST(SpectrumRecord, RoundTripsNamePointsAndValues) {
    BinaryReader reader = BinaryReader::FromBytes(SampleRecord());
    ASSERT_TRUE(Core::IsTag(SpectrumTag, reader.ReadInt()));
    Spectrum::Ptr back = Core::ReadSpectrumRecord(reader);
    EXPECT_EQ(back->GetNameA(), "sample \xE9");
    EXPECT_EQ(back->GetKind(), -1);
    ASSERT_EQ(back->Size(), 3);
    EXPECT_EQ(back->ValueAt(102), std::complex<double>(1, -2));
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(SpectrumRecord, BadRecordsFailCleanly) {
    std::string record = SampleRecord();
    std::string wrongEnd = record;
    wrongEnd[wrongEnd.size() - 1] = 0;
    BinaryReader reader = BinaryReader::FromBytes(wrongEnd);
    reader.ReadInt();
    EXPECT_EQ(Message([&] { Core::ReadSpectrumRecord(reader); }), "File corruption.");

    for (std::size_t cut = 4; cut < record.size(); ++cut) {
        BinaryReader truncated = BinaryReader::FromBytes(record.substr(0, cut));
        truncated.ReadInt();
        EXPECT_EQ(Message([&] { Core::ReadSpectrumRecord(truncated); }), "Unexpected end of file.")
            << cut;
    }

    // A record claiming four billion points is refused before anything is allocated.
    BinaryWriter huge;
    huge.WriteString("big");
    huge.WriteU32(0xFFFFFFFFu);
    BinaryReader claim = BinaryReader::FromBytes(huge.Bytes());
    EXPECT_EQ(Message([&] { Core::ReadSpectrumRecord(claim); }), "Unexpected end of file.");

    BinaryWriter none;
    EXPECT_EQ(Message([&] { Core::WriteSpectrumRecord(Spectrum::Ptr(), none); }),
              "Internal error.");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BinaryWriterFile, AFailedWriteKeepsTheOldFile) {
    const std::string path = ::testing::TempDir() + "sorix_writer_test.bin";
    {
        BinaryWriter first(path);
        first.WriteU32(1);
        first.Commit();
    }
    EXPECT_EQ(ReadFile(path).size(), 4u);
    EXPECT_EQ(Message([&] {
                  BinaryWriter second(path);
                  second.WriteU32(2);
                  throw Winplus::Exception("Internal error.");  // fails before Commit
              }),
              "Internal error.");
    EXPECT_EQ(ReadFile(path), std::string("\x01\0\0\0", 4));
    EXPECT_TRUE(ReadFile(path + ".part").empty());
    {
        BinaryWriter third(path);
        third.WriteU32(3);
        third.WriteU32(4);
        third.Commit();
    }
    EXPECT_EQ(ReadFile(path).size(), 8u);
    std::remove(path.c_str());
}

}  // namespace
