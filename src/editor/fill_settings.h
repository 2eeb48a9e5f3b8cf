#pragma once

// "Keep Fill Clean": whether the editors' random fills (Fill blank with
// Random, and each try of Refill) draw again the filler letters that complete
// a blocked word (check/clean_fill_model.h). On unless the user turned it off.
//
// One setting for the whole program: every editor's check item shows it and
// changes it, and it is kept between runs in the program's settings file,
// settings.ini in its configuration folder ($XDG_CONFIG_HOME/<program>/,
// beside the user's blocked-words.txt). The file is read at the first use in
// a run and written at each change; a file that cannot be written leaves the
// setting in effect for the run, and setKeepFillClean says so.

#include <QObject>
#include <QString>

namespace quarrin {

class FillSettings : public QObject
{
    Q_OBJECT

public:
    // The program's one instance.
    static FillSettings &instance();

    bool keepFillClean();
    // Takes effect at once in every editor; returns an error message when the
    // choice could not be stored for the next run.
    QString setKeepFillClean(bool on);

    // Reads the settings file again, as the next run will (for tests).
    void reload();

    static QString settingsPath();

signals:
    void keepFillCleanChanged(bool on);

private:
    FillSettings() = default;
    void load();

    bool m_loaded = false;
    bool m_keepFillClean = true;
};

} // namespace quarrin
