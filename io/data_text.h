#pragma once
// Data text files: two or three columns of numbers (abscissa, real part, imaginary part) read
// into a spectrum, and columns written back as "%14.6E" text. Numbers are read and written the
// same way whatever the C locale says.
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/spectrum.h"

namespace Core {

// Longest line a reader takes; a longer one makes the file unreadable.
constexpr std::size_t kMaxLineLength = 65536;

enum class LineStatus { Ok, End, TooLong, Error };
// Reads one line ending at a line feed, a carriage return or both (CR LF), without them. End
// when nothing is left; TooLong (the line dropped) past kMaxLineLength characters; Error, with
// the stream's badbit set, when the system fails to read.
LineStatus ReadLine(std::istream& in, std::string& line);

// Reads a decimal number at the start of text as strtod does in the "C" locale (optional sign,
// digits with a full stop, optional exponent, "inf" and "nan"): the number of characters used,
// 0 when there is no number. Beyond the double range it gives an infinity or a signed zero.
std::size_t ReadNumber(std::string_view text, double& value);

// The first character of a line that is not white space, a blank when there is none.
char FirstNonBlank(const std::string& line);
// Whether the line holds data: its first non-blank character is a digit, "-" or ".".
bool IsDataLine(const std::string& line);
// The numbers of a line separated by commas and white space. ok becomes false when a token is
// not a number; the numbers before it are returned.
std::vector<double> SplitNumbers(const std::string& line, bool& ok);
// Fills values (its size fixed by the caller) from the line. A line one number short keeps the
// last value as it was; numbers beyond the size are ignored.
bool FillNumbers(const std::string& line, std::vector<double>& values);

// The column count of the first data line (0 when there is none or it holds a non-number) and
// the number of data lines.
int CountColumns(std::istream& in, int& lines);
int CountColumns(const std::string& path, int& lines);
bool IsTwoColumnFile(const std::string& path, int& lines);

// A spectrum from a file of 2 or 3 columns, in ascending abscissa when the file ran from high
// to low; null when the file is no such file or a data line cannot be read. The name is empty.
Spectrum::Ptr ReadTextFile(std::istream& in);
Spectrum::Ptr ReadTextFile(const std::string& path);

// One value as printf's "%14.6E" writes it, identical on every C runtime.
std::string FormatE14(double value);

// Write one line per point of the abscissa column ("%14.6E %14.6E" or three fields). An
// existing file is replaced only once the new one is complete. False for a null column or when
// the file could not be written (nothing is reported; the old file stays).
bool WriteTwoColumns(const std::string& path, const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& y);
bool WriteTwoColumns(const std::string& path, const Data& x, const Data& y);
bool WriteThreeColumns(const std::string& path, const Safe::XPtr<Data>& x,
                       const Safe::XPtr<Data>& re, const Safe::XPtr<Data>& im);

}  // namespace Core
