#pragma once
// Number and text conversion, the program's folders and file-name helpers. Numbers are formatted
// by the project's own code so that both C runtimes write the same text.
#include <string>
#include <vector>

// Decimal integer.
std::string ToString(int value);
// As a default string stream writes it: six significant digits, the shorter of fixed and
// exponent notation (like printf "%g", with at least two exponent digits).
std::string ToString(double value);
// The same with another number of significant digits.
std::string DoubleToString(double value, int precision);

// The number check of edit fields: only "+-0123456789.eE", with a sign first or after the
// exponent mark, one decimal point before the exponent, one exponent mark.
bool IsNumber(const std::string& text);
// When the trimmed text passes IsNumber, converts it into *out and returns true; otherwise
// returns false and leaves *out unchanged.
bool ToDouble(const std::string& text, double* out);

// A copy without leading and trailing blanks and tabs.
std::string Trim(const std::string& text);
// Tokens separated by runs of blanks, commas, tabs and line feeds; no empty tokens.
std::vector<std::string> SplitWords(const std::string& text);
// The integer part, one more when the fraction (with the sign of x) is 0.5 or more.
int RoundToInt(const double& x);

// File-name helpers. Both "\" and "/" separate folders.
std::string GetExtension(const std::string& path);  // after the last "." of the file name
std::string GetDirectory(const std::string& path);  // before the last separator
std::string GetFileName(const std::string& path);   // after the last separator
std::string SplitPath(const std::string& path);     // file name without extension

// The program's folders, set once at start-up from the process's command line.
void InitProgramPaths(const std::string& commandLine);
std::string GetProgramFolder();
std::string GetDefaultLibraryList();  // program folder + "\Library\default.flb"
std::string GetLibraryFolder();       // program folder + "\Library"
