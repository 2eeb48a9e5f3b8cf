#include "editor/fill_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quarrin {

namespace {

const QString kKeepFillCleanKey = QStringLiteral("Fill/KeepFillClean");

} // namespace

FillSettings &FillSettings::instance()
{
    static FillSettings settings;
    return settings;
}

QString FillSettings::settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/settings.ini");
}

void FillSettings::load()
{
    const QSettings stored(settingsPath(), QSettings::IniFormat);
    m_keepFillClean = stored.value(kKeepFillCleanKey, true).toBool();
    m_loaded = true;
}

void FillSettings::reload()
{
    const bool before = keepFillClean();
    load();
    if (m_keepFillClean != before)
        emit keepFillCleanChanged(m_keepFillClean);
}

bool FillSettings::keepFillClean()
{
    if (!m_loaded)
        load();
    return m_keepFillClean;
}

QString FillSettings::setKeepFillClean(bool on)
{
    const bool changed = keepFillClean() != on;
    m_keepFillClean = on;
    if (changed)
        emit keepFillCleanChanged(on);

    const QString path = settingsPath();
    // QSettings makes the folder itself, but says nothing when it cannot.
    const QString folder = QFileInfo(path).absolutePath();
    QSettings stored(path, QSettings::IniFormat);
    if (QDir().mkpath(folder)) {
        stored.setValue(kKeepFillCleanKey, on);
        stored.sync();
        if (stored.status() == QSettings::NoError && QFileInfo(path).isFile())
            return QString();
    }
    return QStringLiteral("Keep Fill Clean is %1 for now, but it could not be remembered: %2 "
                          "cannot be written.")
        .arg(on ? QStringLiteral("on") : QStringLiteral("off"), QDir::toNativeSeparators(path));
}

} // namespace quarrin
