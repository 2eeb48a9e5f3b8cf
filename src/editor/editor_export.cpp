// The editor window's way to keep an export that no word processor took: the
// table's document saved where the user chooses.

#include "editor/editor_window.h"
#include "export/docx_save.h"
#include "export/docx_word_processor.h"

#include <QFileDialog>

namespace quarrin {

void EditorWindow::offerDocumentSave()
{
    const GridDocument document = gridDocument(m_model);
    if (document.bytes.isEmpty()) {
        showMessage(document.error);
        return;
    }
    if (!m_documentDialog) {
        m_documentDialog = new QFileDialog(this, QStringLiteral("Save the grid as a Word document"),
                                           QString(), docxSaveFilter());
        m_documentDialog->setObjectName(QStringLiteral("saveDocument"));
        m_documentDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_documentDialog->setFileMode(QFileDialog::AnyFile);
        m_documentDialog->setDefaultSuffix(QStringLiteral("docx"));
        m_documentDialog->setOptions(QFileDialog::DontUseNativeDialog);
        closeCompleterListWhenDone(m_documentDialog);
    }
    // Where an export would have gone, under the export's name.
    m_documentDialog->setDirectory(DocxWordProcessor::documentFolder(QString()));
    m_documentDialog->selectFile(document.name);
    if (m_documentDialog->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = m_documentDialog->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    const QString error = saveDocument(document.bytes, chosen.first());
    if (!error.isEmpty())
        showMessage(error);
}

} // namespace quarrin
