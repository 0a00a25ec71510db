#pragma once

#include <QString>

// The application title: caption of every message box and of the version dialog.
inline const QString ApplicationTitle = QStringLiteral("Orvandeler");

// The program's version record, kept in one place: the project's version.
inline constexpr int VersionMajor = ORVANDELER_VERSION_MAJOR;
inline constexpr int VersionMinor = ORVANDELER_VERSION_MINOR;
inline constexpr int VersionRevision = ORVANDELER_VERSION_PATCH;
