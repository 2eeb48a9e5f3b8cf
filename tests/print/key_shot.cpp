// Renders the answer keys for the documentation: both print windows with
// "Answer Key" ticked, and the worksheet PDF saved through "Save Image".
//   key_shot <out-dir>
// writes key15.png, key30.png and worksheet.pdf into <out-dir>.

#include "key_fixture.h"
#include "print/print_window.h"
#include "print_shot_tool.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>

using namespace quarrin;

namespace {

// "Save Image" answers with the worksheet file.
class SavingDialogs : public testing::QuietDialogs
{
public:
    QString path;
    std::optional<SaveChoice> askImageFile(QWidget *, const QString &) override
    {
        return SaveChoice{path, QLatin1String(kWorksheetFilter)};
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Word Quarrin Generator"));
    const QDir out = testing::outputFolder(argc, argv);

    PuzzleSnapshot small = testing::eightWaySnapshot(GridSize::Small);
    PuzzleSnapshot large = testing::eightWaySnapshot(GridSize::Large);
    TprintPage page(&small);
    TprintComplex complex(&large);

    int failures = 0;
    for (PrintWindow *w :
         {static_cast<PrintWindow *>(&page), static_cast<PrintWindow *>(&complex)}) {
        auto dialogs = std::make_unique<SavingDialogs>();
        dialogs->path = out.filePath(QStringLiteral("worksheet.pdf"));
        w->setDialogs(std::move(dialogs));
        w->show();
        w->findChild<QCheckBox *>(QStringLiteral("answerKey"))->setChecked(true);
        QApplication::processEvents();
        const QString name = w->gridSize() == GridSize::Small ? "key15.png" : "key30.png";
        if (!w->grab().save(out.filePath(name)))
            ++failures;
    }
    // the worksheet of the 15x15 puzzle
    page.savePageImage();
    return failures == 0 && QFileInfo::exists(out.filePath("worksheet.pdf")) ? 0 : 1;
}
