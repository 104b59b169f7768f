// Paths between Qt's strings and the bytes of the names on disk.
#pragma once

#include <string>

#include <QString>

// A name on disk as Qt shows it.
QString FromNative(const std::string& path);

// The bytes of the name on disk that `path` stands for. Qt holds a name that
// is not valid UTF-8 with U+FFFD in place of its odd bytes, so encoding it
// back does not give the name on disk; such a name is looked up among the
// entries of its folder as Qt decodes them. When none or several match, the
// encoded name stands and whatever uses it reports it.
std::string ToNative(const QString& path);

// A path for a file dialog to propose: FromNative of `path`, unless Qt cannot
// name its folder (bytes that are not UTF-8), which a dialog could then not
// open. Such a folder is proposed through a link of a name Qt can give,
// made for the run in a private temporary folder, so that the dialog lists
// the folder itself and a name chosen there is written into it.
QString DialogPath(const std::string& path);
