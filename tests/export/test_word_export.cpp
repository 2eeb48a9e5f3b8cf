// The export command: the order of the calls it makes on the word processor
// and the text it gives every table cell.

#include "export/word_export.h"

#include <QtTest>

using namespace quarrin;

namespace {

// Records every call as a line of text.
class RecordingProcessor : public WordProcessor
{
public:
    bool startResult = true;
    bool releaseResult = true;
    QString releaseError;
    QStringList calls;
    QHash<QPair<int, int>, QString> texts;

    bool start() override
    {
        calls << QStringLiteral("start");
        return startResult;
    }
    void setVisible(bool visible) override
    {
        calls << QStringLiteral("setVisible(%1)").arg(visible ? "true" : "false");
    }
    void addDocument() override { calls << QStringLiteral("addDocument"); }
    void addTable(int rows, int columns) override
    {
        calls << QStringLiteral("addTable(%1,%2)").arg(rows).arg(columns);
    }
    void setCellWidth(int row, int column, double points) override
    {
        calls << QStringLiteral("setCellWidth(%1,%2,%3)").arg(row).arg(column).arg(points);
    }
    void setCellText(int row, int column, const QString &text) override
    {
        calls << QStringLiteral("setCellText(%1,%2)").arg(row).arg(column);
        texts.insert({row, column}, text);
    }
    bool release(QString *error) override
    {
        calls << QStringLiteral("release");
        if (!releaseResult)
            *error = releaseError;
        return releaseResult;
    }
};

} // namespace

class TestWordExport : public QObject
{
    Q_OBJECT

private slots:
    void callOrder_data();
    void callOrder();
    void startFailureStopsTheExport();
    void releaseFailureIsReported();
    void cellTexts_data();
    void cellTexts();
};

void TestWordExport::callOrder_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("widths");
    QTest::newRow("15x15 keeps the widths") << GridSize::Small << 15 << false;
    QTest::newRow("30x30 sets 15-point cells") << GridSize::Large << 30 << true;
}

void TestWordExport::callOrder()
{
    QFETCH(GridSize, size);
    QFETCH(int, n);
    QFETCH(bool, widths);

    RandomGenerator random;
    PuzzleModel model(size, &random);
    RecordingProcessor processor;
    QCOMPARE(exportGrid(model, processor), QString());

    QStringList expected{"start", "setVisible(true)", "addDocument",
                         QStringLiteral("addTable(%1,%1)").arg(n)};
    for (int y = 1; y <= n; ++y) {
        for (int x = 1; x <= n; ++x) {
            if (widths)
                expected << QStringLiteral("setCellWidth(%1,%2,15)").arg(y).arg(x);
            expected << QStringLiteral("setCellText(%1,%2)").arg(y).arg(x);
        }
    }
    expected << "release";
    QCOMPARE(processor.calls.size(), expected.size());
    QCOMPARE(processor.calls, expected);
}

void TestWordExport::startFailureStopsTheExport()
{
    RandomGenerator random;
    PuzzleModel model(GridSize::Small, &random);
    model.setCell(0, 0, QStringLiteral("A"));
    RecordingProcessor processor;
    processor.startResult = false;

    QCOMPARE(exportGrid(model, processor),
             QStringLiteral("There was an error initialising Microsoft Word. It might not have "
                            "been installed correctly or is not installed at all."));
    QCOMPARE(processor.calls, QStringList{"start"});
    QCOMPARE(model.cell(0, 0), QStringLiteral("A"));
}

void TestWordExport::releaseFailureIsReported()
{
    RandomGenerator random;
    PuzzleModel model(GridSize::Small, &random);
    RecordingProcessor processor;
    processor.releaseResult = false;
    processor.releaseError = QStringLiteral("The document could not be opened.");
    QCOMPARE(exportGrid(model, processor), processor.releaseError);
    QCOMPARE(processor.calls.back(), QStringLiteral("release"));
}

void TestWordExport::cellTexts_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

// Grid cell (column c, row r) goes to table cell (row r + 1, column c + 1),
// as its first character; the margin of the store is not exported.
void TestWordExport::cellTexts()
{
    QFETCH(GridSize, size);
    RandomGenerator random;
    PuzzleModel model(size, &random);
    const int n = model.columns();
    model.setCell(2, 0, QStringLiteral("C"));               // word letter
    model.setCell(0, 1, QStringLiteral("K") + kFillerMark); // random letter
    model.setCell(1, 1, QStringLiteral(" "));               // swept blank
    model.setCell(n - 1, n - 1, QStringLiteral("Z"));       // last visible cell
    model.setCell(n, 0, QStringLiteral("M"));               // margin column
    model.setCell(0, n, QStringLiteral("M"));               // margin row

    RecordingProcessor processor;
    QCOMPARE(exportGrid(model, processor), QString());
    QCOMPARE(processor.texts.size(), n * n);
    QCOMPARE(processor.texts.value({1, 3}), QStringLiteral("C"));
    QCOMPARE(processor.texts.value({2, 1}), QStringLiteral("K"));
    QCOMPARE(processor.texts.value({2, 2}), QStringLiteral(" "));
    QCOMPARE(processor.texts.value({n, n}), QStringLiteral("Z"));
    QCOMPARE(processor.texts.value({3, 1}), QString());
    int letters = 0;
    for (const QString &t : std::as_const(processor.texts)) {
        if (!t.trimmed().isEmpty())
            ++letters;
        QVERIFY(t.size() <= 1);
    }
    QCOMPARE(letters, 3); // C, K and Z; no margin letter
}

QTEST_GUILESS_MAIN(TestWordExport)
#include "test_word_export.moc"
