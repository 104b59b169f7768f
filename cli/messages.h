// What the converter says on stderr, one line per piece of news: each starts
// with the program's name, and a file name in it is shown so that it can
// neither forge a line nor garble the terminal.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace orbalux::cli {

// The start of every line the converter writes on stderr about a file.
inline constexpr std::string_view kMessagePrefix = "orbalux-convert: ";

// The length of the well-formed UTF-8 character at the start of `text`
// (shortest form, no surrogate, at most U+10FFFF); 0 when it is not one.
std::size_t Utf8CharacterLength(std::string_view text);

// True when the whole of `text` is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// `text` with what a terminal would act on, or cannot show, escaped: "\n",
// "\r", "\t", "\\" for a backslash, and "\xHH" for any other control
// character (C0, DEL and C1) and for every byte that is not part of a
// well-formed UTF-8 character. Anything else stays as it is, so a name
// in any script reads as itself.
std::string EscapedText(std::string_view text);

// EscapedText, and besides the marks that turn the direction of text
// (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069) as "\u202e":
// a name drawn into a picture shows every character it holds, in its order.
std::string VisibleText(std::string_view text);

// One line "orbalux-convert: SUBJECT: TEXT" (without SUBJECT when it is
// empty), both escaped.
std::string MessageLine(std::string_view subject, std::string_view text);

// Writes MessageLine to `err`.
void PrintMessage(std::FILE* err, std::string_view subject, std::string_view text);

}  // namespace orbalux::cli
