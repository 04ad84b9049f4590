#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace talviro6 {

/// A path from the desktop for the standard library's file functions, in the
/// file system's own encoding (UTF-16 on Windows, the locale's bytes elsewhere).
inline std::filesystem::path toFsPath(const QString &path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

/// The way back: a path the standard library found, for the desktop.
inline QString toQString(const std::filesystem::path &path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

} // namespace talviro6
