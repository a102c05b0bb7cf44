#include "batch/BatchCsv.h"

#include "batch/BatchText.h"

namespace {

bool IsBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

TCsvRecords ParseCsv(QStringView text, QChar separator)
{
    TCsvRecords records;
    const qsizetype size = text.size();
    qsizetype i = 0;
    qsizetype line = 1;
    // Past the end of one break (CR LF counts once); `i` is on the break.
    const auto skipBreak = [&] {
        if (text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        ++i;
        ++line;
    };
    while (i < size) {
        QStringList row;
        const qsizetype rowLine = line;
        QString field;
        bool rowDone = false;
        while (!rowDone) {
            if (i < size && text[i] == u'"') {
                const qsizetype quoteLine = line;
                bool closed = false;
                ++i;
                while (i < size) {
                    if (text[i] == u'"') {
                        if (i + 1 < size && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (IsBreak(text[i])) {
                        const qsizetype start = i;
                        skipBreak();
                        field += text.sliced(start, i - start);
                        continue;
                    }
                    field += text[i++];
                }
                if (!closed) {
                    records.UnclosedLine = quoteLine;
                    return records;
                }
            }
            // The unquoted part (or what follows a closing quote) up to the separator.
            while (i < size && text[i] != separator && !IsBreak(text[i]))
                field += text[i++];
            row.append(field);
            field.clear();
            if (i < size && text[i] == separator) {
                ++i;
                continue;
            }
            if (i < size)
                skipBreak();
            rowDone = true;
        }
        if (row.size() == 1 && row.first().isEmpty())
            continue; // a blank line
        records.Rows.append(row);
        records.Lines.append(rowLine);
    }
    return records;
}

TCsvTable DetectCsv(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = text.first(nul);
    // Control characters other than tab and line breaks do not occur in a table: a binary file
    // is no table, however many commas it holds.
    const QStringView head = text.first(qMin<qsizetype>(text.size(), 65536));
    for (const QChar c : head)
        if (c.unicode() < 32 && c != u'\t' && c != u'\r' && c != u'\n')
            return TCsvTable();
    TCsvTable problem;
    for (const QChar separator : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        // A plain list of strings is not parsed again for every separator.
        if (!head.contains(separator))
            continue;
        TCsvRecords records = ParseCsv(text, separator);
        if (records.UnclosedLine > 0) {
            if (problem.Kind == TCsvKind::NoColumns) {
                problem.Kind = TCsvKind::UnclosedQuote;
                problem.Separator = separator;
                problem.BadLine = records.UnclosedLine;
            }
            continue;
        }
        const bool firstHasColumns = !records.Rows.isEmpty() && records.Rows.first().size() >= 2;
        if (!firstHasColumns)
            continue;
        const qsizetype columns = records.Rows.first().size();
        qsizetype bad = -1;
        qsizetype matching = 0;
        for (qsizetype r = 0; r < records.Rows.size(); ++r) {
            if (records.Rows.at(r).size() == columns)
                ++matching;
            else if (bad < 0)
                bad = r;
        }
        // A plain list whose first lines happen to hold a comma is no broken table: that needs
        // a differing row with separators of its own, or most rows agreeing with the first.
        if (bad >= 0 && records.Rows.at(bad).size() < 2 && matching * 2 <= records.Rows.size())
            continue;
        if (bad < 0) {
            TCsvTable table;
            table.Kind = TCsvKind::Table;
            table.Separator = separator;
            table.ColumnCount = columns;
            table.Rows = std::move(records.Rows);
            return table;
        }
        if (problem.Kind == TCsvKind::NoColumns) {
            problem.Kind = TCsvKind::MixedColumns;
            problem.Separator = separator;
            problem.ColumnCount = columns;
            problem.BadLine = records.Lines.at(bad);
            problem.BadCount = records.Rows.at(bad).size();
        }
    }
    return problem;
}

QStringList CsvColumn(const QList<QStringList> &rows, qsizetype column, qsizetype firstRow)
{
    QStringList values;
    values.reserve(qMax<qsizetype>(0, rows.size() - firstRow));
    for (qsizetype r = qMax<qsizetype>(0, firstRow); r < rows.size(); ++r)
        values.append(column < rows.at(r).size() ? rows.at(r).at(column) : QString());
    return values;
}

bool AllBlank(const QStringList &values)
{
    for (const QString &value : values)
        if (!TrimBatchLine(value).isEmpty())
            return false;
    return true;
}
