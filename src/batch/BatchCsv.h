#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// A loaded batch file that is a table: comma, semicolon or tab separated values.

// Rows of fields. A field in double quotes may hold separators, line breaks and doubled quotes
// (""), which stand for one quote; a quote inside an unquoted field is an ordinary character.
// Records end at CR LF, LF or CR outside quotes; blank lines hold no record.
struct TCsvRecords
{
    QList<QStringList> Rows;
    QList<qsizetype> Lines;      // the text line on which each row starts (1-based)
    qsizetype UnclosedLine = 0;  // the line of a quote that is never closed; 0 when none is
};

TCsvRecords ParseCsv(QStringView text, QChar separator);

enum class TCsvKind {
    NoColumns,     // one string per line
    Table,         // every row has the same number of fields, two or more
    MixedColumns,  // the first row has columns, a later one a different number of them
    UnclosedQuote, // the first row has columns, and a quoted field never ends
};

struct TCsvTable
{
    TCsvKind Kind = TCsvKind::NoColumns;
    QChar Separator;
    QList<QStringList> Rows;  // Table only
    qsizetype ColumnCount = 0; // the first row's number of fields
    qsizetype BadLine = 0;     // MixedColumns: the line of the first differing row; UnclosedQuote: where the quote opens
    qsizetype BadCount = 0;    // MixedColumns: the number of fields on BadLine
};

// Tries tab, then semicolon, then comma (those the text holds); the first that makes a table
// wins. Without one, the first separator that gave the first row columns (or met an unclosed
// quote) tells what is wrong; rows differing only by holding no separator at all, with no more
// than half of the rows agreeing with the first, make a plain list, not a broken table.
TCsvTable DetectCsv(QStringView text);

// Field `column` of every row (an empty text where a row is shorter), from row `firstRow` on.
QStringList CsvColumn(const QList<QStringList> &rows, qsizetype column, qsizetype firstRow);

// Whether every text of `values` is empty or blank.
bool AllBlank(const QStringList &values);
