#include "compose/sheetlayout.h"

#include <cmath>

SheetLayout SheetLayout::compute(int width, int columns, int sides, int spacer, int headerBand, int files)
{
    SheetLayout l;
    l.width = width;
    l.columns = columns;
    l.sides = sides;
    l.spacer = spacer;
    l.headerBand = headerBand;
    l.cell = int(std::floor(double(width - 2 * sides) / columns));
    l.rows = (files + columns - 1) / columns;
    l.height = l.rows * l.cell + 2 * Margin + headerBand;
    return l;
}

QPoint SheetLayout::cellOrigin(int row, int column) const
{
    return QPoint(sides + column * cell, Margin + headerBand + row * cell);
}

QPoint SheetLayout::placement(int row, int column, QSize thumbnail) const
{
    const int inner = cell - 2 * spacer;
    return cellOrigin(row, column) + QPoint(spacer + (inner - thumbnail.width()) / 2,
                                            spacer + (inner - thumbnail.height()) / 2);
}

int SheetLayout::maxFiles() const
{
    if (cell <= 0)
        return 0;
    return std::max(0, (MaxHeight - 2 * Margin - headerBand) / cell) * columns;
}

int EmHeight(const QFont &font)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return int(std::lround(font.pointSizeF() * 96.0 / 72.0));
}
