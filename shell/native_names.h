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
