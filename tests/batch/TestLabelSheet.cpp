#include "batch/LabelSheet.h"

#include <QtTest>

Q_DECLARE_METATYPE(TLabelSheet)

namespace {

QString Untranslated(const QString &text)
{
    return text;
}

const TLabelSheet &Preset(const char *startOfName)
{
    for (const TLabelPreset &preset : LabelPresets())
        if (QLatin1String(preset.Name).startsWith(QLatin1String(startOfName)))
            return preset.Sheet;
    qFatal("no preset %s", startOfName);
}

bool Near(const QRectF &a, const QRectF &b)
{
    return qAbs(a.x() - b.x()) < 1e-6 && qAbs(a.y() - b.y()) < 1e-6 && qAbs(a.width() - b.width()) < 1e-6
        && qAbs(a.height() - b.height()) < 1e-6;
}

// The A4 3 x 8 sheet with one value changed.
template <typename TChange> TLabelSheet A4With(TChange change)
{
    TLabelSheet sheet = Preset("A4, 3 \u00D7 8");
    change(sheet);
    return sheet;
}

} // namespace

class TestLabelSheet : public QObject
{
    Q_OBJECT

private slots:
    // Where labels lie, in millimetres from the page's top left, as the label stock measures them.
    void Positions_data()
    {
        QTest::addColumn<TLabelSheet>("sheet");
        QTest::addColumn<int>("count");   // strings
        QTest::addColumn<int>("item");    // the string looked at
        QTest::addColumn<int>("page");
        QTest::addColumn<QRectF>("label");
        QTest::addColumn<int>("pages");
        const TLabelSheet a4 = Preset("A4, 3 \u00D7 8");
        const TLabelSheet letter = Preset("Letter");
        const TLabelSheet a4Large = Preset("A4, 2 \u00D7 7");
        QTest::newRow("A4 3 x 8, first") << a4 << 24 << 0 << 0 << QRectF(0, 0.5, 70, 37) << 1;
        QTest::newRow("A4 3 x 8, end of the first row") << a4 << 24 << 2 << 0 << QRectF(140, 0.5, 70, 37) << 1;
        QTest::newRow("A4 3 x 8, last") << a4 << 24 << 23 << 0 << QRectF(140, 259.5, 70, 37) << 1;
        QTest::newRow("Letter 3 x 10, first") << letter << 30 << 0 << 0 << QRectF(4.7625, 12.7, 66.675, 25.4) << 1;
        QTest::newRow("Letter 3 x 10, second column") << letter << 30 << 1 << 0 << QRectF(74.6125, 12.7, 66.675, 25.4) << 1;
        QTest::newRow("Letter 3 x 10, last") << letter << 30 << 29 << 0 << QRectF(144.4625, 241.3, 66.675, 25.4) << 1;
        QTest::newRow("A4 2 x 7, last") << a4Large << 14 << 13 << 0 << QRectF(106.25, 243.75, 99.1, 38.1) << 1;
        QTest::newRow("one label") << a4 << 1 << 0 << 0 << QRectF(0, 0.5, 70, 37) << 1;
        QTest::newRow("more strings than one page: first of page 2") << a4 << 25 << 24 << 1 << QRectF(0, 0.5, 70, 37) << 2;
        QTest::newRow("more strings than one page: three pages") << letter << 61 << 60 << 2 << QRectF(4.7625, 12.7, 66.675, 25.4) << 3;
        const TLabelSheet started = A4With([](TLabelSheet &s) { s.StartPosition = 5; }); // row 2, column 2
        QTest::newRow("start position") << started << 3 << 0 << 0 << QRectF(70, 37.5, 70, 37) << 1;
        QTest::newRow("start position, overflow to page 2") << started << 21 << 20 << 1 << QRectF(0, 0.5, 70, 37) << 2;
        QTest::newRow("start position, page 2 starts at the top") << started << 22 << 21 << 1 << QRectF(70, 0.5, 70, 37) << 2;
        const TLabelSheet gaps{{100, 100}, 2, 2, 5, 10, {40, 30}, 10, 5, false, 1};
        QTest::newRow("gaps between labels") << gaps << 4 << 3 << 0 << QRectF(55, 45, 40, 30) << 1;
    }

    void Positions()
    {
        QFETCH(TLabelSheet, sheet);
        QFETCH(int, count);
        QFETCH(int, item);
        QFETCH(int, page);
        QFETCH(QRectF, label);
        QFETCH(int, pages);
        QCOMPARE(LabelSheetProblem(sheet, Untranslated), QString());
        const QList<TLabelPlace> places = LayOutLabels(sheet, count);
        QCOMPARE(places.size(), count);
        QCOMPARE(places.at(item).Item, item);
        QCOMPARE(places.at(item).Page, page);
        QVERIFY2(Near(places.at(item).LabelMm, label), qPrintable(QStringLiteral("%1, %2").arg(places.at(item).LabelMm.x()).arg(places.at(item).LabelMm.y())));
        QCOMPARE(LabelPageCount(sheet, count), pages);
        // Every label lies on its page.
        for (const TLabelPlace &place : places)
            QVERIFY(QRectF(QPointF(0, 0), sheet.PageMm).adjusted(-0.01, -0.01, 0.01, 0.01).contains(place.LabelMm));
    }

    // Values that cannot work name the value; nothing is laid out.
    void Problems_data()
    {
        QTest::addColumn<TLabelSheet>("sheet");
        QTest::addColumn<QString>("named"); // a part of the message: the value at fault
        QTest::newRow("zero rows") << A4With([](TLabelSheet &s) { s.Rows = 0; }) << "Rows must be at least 1, not 0";
        QTest::newRow("zero columns") << A4With([](TLabelSheet &s) { s.Columns = 0; }) << "Columns must be at least 1, not 0";
        QTest::newRow("label wider than the page") << A4With([](TLabelSheet &s) { s.LabelMm.setWidth(220); s.Columns = 1; })
                                                   << "need 220 mm across, but the page is 210 mm wide";
        QTest::newRow("rows lower than the page") << A4With([](TLabelSheet &s) { s.TopMm = 2; })
                                                  << "need 298 mm down, but the page is 297 mm high";
        QTest::newRow("start beyond the page") << A4With([](TLabelSheet &s) { s.StartPosition = 25; })
                                               << "from 1 to 24, the labels of one page, not 25";
        QTest::newRow("negative gap") << A4With([](TLabelSheet &s) { s.GapYMm = -1; })
                                      << "The gap between rows must be at least 0, not -1";
        QTest::newRow("label too small for a symbol") << A4With([](TLabelSheet &s) { s.LabelMm = {3, 3}; })
                                                      << "leaves no room for a symbol";
        QTest::newRow("page of no width") << A4With([](TLabelSheet &s) { s.PageMm = {0, 297}; })
                                          << "The page must be larger than 0 mm";
    }

    void Problems()
    {
        QFETCH(TLabelSheet, sheet);
        QFETCH(QString, named);
        const QString problem = LabelSheetProblem(sheet, Untranslated);
        QVERIFY2(problem.contains(named), qPrintable(problem));
        QVERIFY(LayOutLabels(sheet, 5).isEmpty());
        QCOMPARE(LabelPageCount(sheet, 5), 0);
    }

    // The symbol is as large as fits with every module a whole number of the printer's dots.
    void Fit_data()
    {
        QTest::addColumn<QRectF>("area");
        QTest::addColumn<QSizeF>("modules");
        QTest::addColumn<double>("dotsPerMm");
        QTest::addColumn<double>("moduleMm");
        // 21 x 21 modules in 30 x 20 mm at 600 dpi (23.62 dots/mm): 20/21 mm = 22.5 dots -> 22.
        QTest::newRow("height limits") << QRectF(0, 0, 30, 20) << QSizeF(21, 21) << 600 / 25.4 << 22 / (600 / 25.4);
        // 100 x 30 modules in 50 x 40 mm at 300 dpi: 0.5 mm = 5.9 dots -> 5.
        QTest::newRow("width limits") << QRectF(10, 10, 50, 40) << QSizeF(100, 30) << 300 / 25.4 << 5 / (300 / 25.4);
        // Exactly 1 mm a module at 10 dots/mm stays 10 dots.
        QTest::newRow("exact fit") << QRectF(0, 0, 20, 20) << QSizeF(20, 20) << 10.0 << 1.0;
        // Too many modules for the room: one dot each, the smallest a printer can do.
        QTest::newRow("never below one dot") << QRectF(0, 0, 1, 1) << QSizeF(50, 50) << 10.0 << 0.1;
    }

    void Fit()
    {
        QFETCH(QRectF, area);
        QFETCH(QSizeF, modules);
        QFETCH(double, dotsPerMm);
        QFETCH(double, moduleMm);
        const TSymbolFit fit = FitSymbol(area, modules, dotsPerMm);
        QVERIFY(qAbs(fit.ModuleMm - moduleMm) < 1e-9);
        // Whole dots, centred.
        const double dots = fit.ModuleMm * dotsPerMm;
        QVERIFY(qAbs(dots - std::round(dots)) < 1e-9);
        QVERIFY(qAbs(fit.TargetMm.center().x() - area.center().x()) < 1e-9);
        QVERIFY(qAbs(fit.TargetMm.center().y() - area.center().y()) < 1e-9);
        QVERIFY(qAbs(fit.TargetMm.width() - modules.width() * moduleMm) < 1e-9);
        if (moduleMm * dotsPerMm > 1)
            QVERIFY(area.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(fit.TargetMm));
    }

    // The caption's line is taken from the symbol's room, under it.
    void Caption()
    {
        const TLabelSheet sheet = A4With([](TLabelSheet &s) { s.Caption = true; });
        const QRectF label(0, 0.5, 70, 37);
        const QRectF without = LabelSymbolAreaMm(Preset("A4, 3 \u00D7 8"), label);
        const QRectF symbol = LabelSymbolAreaMm(sheet, label);
        const QRectF caption = LabelCaptionAreaMm(sheet, label);
        QVERIFY(symbol.height() < without.height());
        QCOMPARE(symbol.bottom(), caption.top());
        QVERIFY(qAbs(caption.bottom() - without.bottom()) < 1e-9);
        QVERIFY(label.contains(caption));
    }
};

QTEST_MAIN(TestLabelSheet)
#include "TestLabelSheet.moc"
