#pragma once

#include "settings/Settings.h"

#include <QString>

#include <memory>

namespace kvt {

class AtomicFileWriter;
class IniFile;
class SerialChoices;

// Settings.ini in the program directory: the stored copy of the console's settings.
// Texts are Windows-1251, booleans 1 or 0, integers decimal.
extern const QString kSettingsFileName;

QString SettingsFilePath(const QString& programDirectory);

// SMSMem is kept as the hexadecimal codes of its characters ("SM" <-> "534D"). Reading takes
// pairs: a pair that is not hexadecimal gives a space, a last single character is dropped.
QString EncodeSmsMemory(const QString& text);
QString DecodeSmsMemory(const QString& hex);

// Every key as the file gives it, the default where a key is missing or not a number.
// Subscribers are Phone0, Phone1, ... up to the first one missing or empty.
SettingsData ReadSettings(const IniFile& file);

// Writes every key in the fixed order, in one save. GSM_Alarms is erased first, so the file
// holds exactly the current subscribers. Everything else in the file stays as it was.
void WriteSettings(IniFile& file, const SettingsData& data);

// Reads program directory + Settings.ini (a missing file gives the defaults) into `settings`,
// as the settings window takes the values over: a configured port is taken whether or not its
// device is present, a speed that its list does not offer and an empty port leave the previous
// choice, an alarm method outside the list leaves no selection, and the
// answer length and alarm count are held within the ranges of their fields.
void LoadSettings(Settings& settings, const QString& programDirectory, const SerialChoices& choices);

// Writes the settings into program directory + Settings.ini. Throws IoError when the file
// cannot be written; the file on disk then stays as it was, and so do the settings.
void SaveSettings(const SettingsData& data, const QString& programDirectory,
                  std::shared_ptr<AtomicFileWriter> writer = {});

} // namespace kvt
