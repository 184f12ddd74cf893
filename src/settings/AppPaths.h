#pragma once

#include <QString>

// Where the program keeps its files: the data folder inside the user's
// documents folder, the default management file and the settings files.
namespace AppPaths {

// The user's documents folder + "ORVANE/Tessaly/" (with the trailing slash),
// created with its parents when missing.
QString DataFolder();

// DataFolder() + "default.ovd".
QString DefaultManagementFile();

// DataFolder() + "Tessaly.ini".
QString SettingsFilePath();

// The settings file when the program has written one; empty otherwise. Creates nothing.
QString ExistingSettingsFile();

// The printer device-settings file that belongs to a settings file: the
// settings file's name with every "." replaced by "_", then "Print_DevMode.dat",
// in the same folder ("Tessaly.ini" → "Tessaly_iniPrint_DevMode.dat").
QString DevModeFilePath(const QString &settingsFile);

// The management file a stored path stands for: empty = the default file,
// relative = relative to the data folder, absolute = unchanged (cleaned).
QString ResolveManagementFile(const QString &path);

} // namespace AppPaths
