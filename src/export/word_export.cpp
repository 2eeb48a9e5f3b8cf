#include "export/word_export.h"

#include "export/docx_word_processor.h"

#include <array>

namespace quarrin {

namespace {

struct ExportSizeRule
{
    GridSize size;
    double cellWidthPoints; // 0: keep the word processor's widths
};

// The large grid's table is squeezed to 15-point cells so that all 30
// columns fit across the page; the small grid keeps the default widths.
constexpr std::array<ExportSizeRule, 2> kExportRules{{
    {GridSize::Small, 0.0},
    {GridSize::Large, 15.0},
}};

} // namespace

QString wordProcessorStartFailureMessage()
{
    return QStringLiteral("There was an error initialising Microsoft Word. It might not have been "
                          "installed correctly or is not installed at all.");
}

double exportCellWidthPoints(GridSize size)
{
    for (const ExportSizeRule &rule : kExportRules) {
        if (rule.size == size)
            return rule.cellWidthPoints;
    }
    // Other sizes: a grid wider than 15 columns is squeezed as the large
    // grid is, to the same 450-point table width.
    return size.columns() > 15 ? 450.0 / size.columns() : 0.0;
}

std::unique_ptr<WordProcessor> createDefaultWordProcessor()
{
    return std::make_unique<DocxWordProcessor>();
}

QString exportGrid(const PuzzleModel &model, WordProcessor &processor)
{
    if (!processor.start())
        return wordProcessorStartFailureMessage();

    processor.setVisible(true);
    processor.addDocument();

    // Only the visible grid is exported; the margin of the cell store is not.
    const int columnCount = model.columns();
    const int rowCount = model.rows();
    // One table row per grid row and one table column per grid column (for
    // the square grids of the record files the two counts are the same).
    processor.addTable(rowCount, columnCount);

    const double width = exportCellWidthPoints(model.spec().size);
    for (int y = 1; y <= rowCount; ++y) {
        for (int x = 1; x <= columnCount; ++x) {
            if (width > 0)
                processor.setCellWidth(y, x, width);
            // The first character only: a filled letter loses its filler mark.
            const QString &text = model.cell(x - 1, y - 1);
            processor.setCellText(y, x, text.left(1));
        }
    }

    QString error;
    if (!processor.release(&error))
        return error.isEmpty() ? QStringLiteral("The document could not be opened.") : error;
    return QString();
}

} // namespace quarrin
