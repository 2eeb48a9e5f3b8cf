#pragma once

// Dialogs that answer at once and remember what they were asked.

#include "print/print_dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace quarrin::testing {

class StubPrintDialogs : public PrintDialogs
{
public:
    struct FontAsk
    {
        QString dialog;
        QFont initial;
    };
    struct ColourAsk
    {
        QString dialog;
        QColor initial;
    };

    std::optional<QFont> fontAnswer;    // nullopt: the user cancels
    std::optional<QColor> colourAnswer; // nullopt: the user cancels
    QString titleAnswer;
    std::function<std::optional<SaveChoice>(QWidget *, const QString &)> onSave;
    bool setupAnswer = false;
    std::optional<WorksheetOptions> worksheetAnswer; // nullopt: the user cancels
    QList<WorksheetOptions> worksheetAsks;           // what the dialog opened with

    QList<FontAsk> fontAsks;
    QList<ColourAsk> colourAsks;
    QStringList messages;
    int setupAsks = 0;

    std::optional<QFont> chooseFont(QWidget *, const QString &dialogName,
                                    const QFont &initial) override
    {
        fontAsks.append({dialogName, initial});
        return fontAnswer;
    }
    std::optional<QColor> chooseColour(QWidget *, const QString &dialogName,
                                       const QColor &initial) override
    {
        colourAsks.append({dialogName, initial});
        return colourAnswer;
    }
    QString askTitle(QWidget *) override { return titleAnswer; }
    std::optional<SaveChoice> askImageFile(QWidget *parent, const QString &lastPath) override
    {
        return onSave ? onSave(parent, lastPath) : std::nullopt;
    }
    bool setupPrinter(QWidget *, QPrinter *) override
    {
        ++setupAsks;
        return setupAnswer;
    }
    std::optional<WorksheetOptions> askWorksheetOptions(QWidget *,
                                                        const WorksheetOptions &initial) override
    {
        worksheetAsks.append(initial);
        return worksheetAnswer;
    }
    void message(QWidget *, const QString &text) override { messages.append(text); }
};

} // namespace quarrin::testing
