#pragma once

#include <QMap>
#include <QString>

class TLangChanger;

// The settings kept between runs. Read once while the main window is constructed, written once
// when it closes; in between the windows read and change the record directly.
struct TAppSettings
{
    int WindowState = 0; // 0 normal, 1 minimised, 2 maximised
    int WindowWidth = 0;
    int WindowHeight = 0;
    int WindowLeft = 0;
    int WindowTop = 0;
    QString Language;
    QString Path;            // output folder of the batch window, with a trailing separator
    QString DefaultLanguage; // machine-wide language, never written

    // The symbol as the window was left. Values are kept as their command-line texts and
    // checked when the window takes them; only those that differ from the default are kept.
    bool HasSymbol = false;  // false: nothing stored, the program's start symbol
    QString Symbology;       // the symbology's short name ("QRCode")
    QString Data;
    QString PrimaryMessage;
    QMap<QString, QString> Appearance;                       // option name -> value
    QMap<QString, QMap<QString, QString>> SymbologyOptions; // short name -> option -> value
};

extern TAppSettings AppSettings;

// Fills AppSettings from the per-user store; the machine-wide store supplies only the default
// language. Missing or unreadable values take their defaults.
void LoadSettings();

// Writes AppSettings back to the per-user store. The first refused write ends the writing and
// shows "Error saving settings!" once, translated through `translator` when there is one.
void SaveSettings(const TLangChanger *translator);

// The writing part of SaveSettings without the message: true when every value was written.
bool WriteSettings();

// The batch window's folder when nothing is stored.
QString DefaultOutputPath();
