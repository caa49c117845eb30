#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>

// The geometry of an index sheet. Divisions by two truncate toward zero.
struct SheetLayout
{
    static constexpr int Margin = 40; // above the header band and below the last row
    // The tallest sheet a JPEG can hold.
    static constexpr int MaxHeight = 65500;

    int width = 0;
    int columns = 1;
    int sides = 0;
    int spacer = 0;
    int headerBand = 0; // B: twice the header font's em height, or 0
    int cell = 0;       // c
    int rows = 0;       // R
    int height = 0;     // H

    static SheetLayout compute(int width, int columns, int sides, int spacer, int headerBand, int files);

    QPoint cellOrigin(int row, int column) const;
    int thumbnailSide() const { return cell - spacer; }
    // Where a thumbnail of the given size goes in its cell: centred in the cell
    // shrunk by the spacer on every side.
    QPoint placement(int row, int column, QSize thumbnail) const;
    // How many files fit on a sheet no taller than MaxHeight.
    int maxFiles() const;
};

// A font's character height without internal leading, in pixels at 96 dpi.
int EmHeight(const QFont &font);
