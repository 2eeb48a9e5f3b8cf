#include "language/printable_check.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace quarrin {

bool checkPrintableLetters(QWidget *parent, const QList<DrawnText> &texts)
{
    const QString message = unprintableLettersMessage(texts);
    if (message.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, parent);
    box.setObjectName(QLatin1String(kUnprintableLettersBox));
    box.exec();
    return false;
}

} // namespace quarrin
