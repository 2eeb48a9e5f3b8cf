#pragma once

// Answers the modal windows a test's command opens, one at a time, as a
// user would: see ModalAnswerer.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <optional>

namespace quarrin::test {

// Answers every modal window that opens while it lives: message boxes are
// recorded and confirmed, input boxes and file dialogs get the prepared
// answer, other dialogs are handed to `onDialog`, which may answer them, and
// are cancelled when it does not.
class ModalAnswerer : public QObject
{
public:
    QStringList messages;
    QStringList titles;
    QStringList boxNames; // objectNames of the message boxes confirmed
    QStringList inputCaptions;
    QStringList inputPrompts;
    QList<int> inputLimits;
    std::optional<QString> inputAnswer; // nothing: cancel
    QString fileToChoose;               // empty: cancel the file dialog
    QStringList filesToChoose;          // one for each file dialog in turn, before fileToChoose
    QStringList fileDialogs;            // objectNames of the file dialogs seen
    QStringList fileFilters;            // the file type choices those dialogs showed
    QLineEdit *watched = nullptr;       // a box whose text is noted at every message
    QStringList watchedAtMessages;
    std::function<void(QDialog *)> onDialog;
    QStringList questions;  // message boxes without OK: questions asked
    QString questionAnswer; // objectName of the button that answers them; empty: Esc

    ModalAnswerer()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
        m_timer.start();
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QAbstractButton *ok = box->button(QMessageBox::Ok);
            if (!ok) {
                // A question: answered with the button named `questionAnswer`,
                // or as Esc would answer it.
                questions << box->text();
                QAbstractButton *answer = questionAnswer.isEmpty()
                                              ? box->escapeButton()
                                              : box->findChild<QAbstractButton *>(questionAnswer);
                if (answer)
                    answer->click();
                else
                    box->reject();
                return;
            }
            messages << box->text();
            titles << box->windowTitle();
            boxNames << box->objectName();
            if (watched)
                watchedAtMessages << watched->text();
            ok->click();
        } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            inputCaptions << input->windowTitle();
            inputPrompts << input->labelText();
            auto *edit = input->findChild<QLineEdit *>();
            inputLimits << (edit ? edit->maxLength() : -1);
            if (inputAnswer) {
                edit->setText(*inputAnswer);
                input->accept();
            } else {
                input->reject();
            }
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            if (files == m_answering)
                return; // its answer is on the way
            fileDialogs << files->objectName();
            if (auto *types = files->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
                for (int i = 0; i < types->count(); ++i)
                    fileFilters << types->itemText(i);
            if (!filesToChoose.isEmpty())
                fileToChoose = filesToChoose.takeFirst();
            if (fileToChoose.isEmpty()) {
                files->reject();
            } else {
                files->selectFile(fileToChoose);
                // A name typed anew replaces whatever the list has selected
                // meanwhile (a folder read in the background selects the
                // last file chosen), as typing in the name box does.
                const QString name = QFileInfo(fileToChoose).fileName();
                m_answering = files;
                QMetaObject::invokeMethod(
                    files,
                    [this, files, name] {
                        for (QAbstractItemView *view : files->findChildren<QAbstractItemView *>())
                            if (view->selectionModel())
                                view->selectionModel()->clearSelection();
                        if (files->acceptMode() == QFileDialog::AcceptSave)
                            if (auto *edit =
                                    files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                                edit->setText(name);
                        QMetaObject::invokeMethod(files, "accept");
                        m_answering = nullptr;
                    },
                    Qt::QueuedConnection);
            }
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            if (onDialog)
                onDialog(dialog);
            // A dialog the hook did not answer is cancelled.
            if (dialog->isVisible())
                dialog->reject();
        }
    }

    QTimer m_timer;
    QPointer<QFileDialog> m_answering;
};

} // namespace quarrin::test
