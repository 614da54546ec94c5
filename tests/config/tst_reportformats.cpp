// Report formats: the editor's lists, moves, Default and four checks, the
// rows it stores; the chooser's selection, its choice that the program keeps
// after a restart, and what deleting a format leaves.

#include "config/ConfigTestData.h"
#include "config/ReportFormats.h"
#include "config/frmFormat.h"
#include "config/frmRptSelect.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace vh;
using namespace vh::test;

namespace {

QList<int> storedLine(const char* table, int number)
{
    QList<int> out;
    Recordset rs = Db().openRecordset(
        QStringLiteral("select ReportOrder, CategoryNumber from %1 where ReportNumber = ? order by ReportOrder")
            .arg(QLatin1String(table)),
        {number});
    for (int order = 1; !rs.eof(); rs.moveNext(), ++order) {
        if (rs.getInt(QStringLiteral("ReportOrder")) != order)
            return {-1};  // a gap or a duplicate
        out << rs.getInt(QStringLiteral("CategoryNumber"));
    }
    return out;
}

FormatDetails format(const QString& name, std::vector<int16_t> line, int16_t sort = 5, const char* dir = "D")
{
    return FormatDetails{name, sort, QLatin1String(dir), std::move(line)};
}

}  // namespace

class TstReportFormats : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = startProgram(); }
    void cleanup()
    {
        Dialog::setModalHook({});
        env.reset();
        resetGlobals();
    }

    // ------------------------------------------------------------ the store

    // Each check speaks only once those before it pass; the editor shows their texts.
    void checksComeInTheirOrder()
    {
        const std::pair<FormatDetails, FormatProblem::Field> cases[] = {
            {format(QStringLiteral("  "), {}), FormatProblem::Name},
            {format(QStringLiteral("A"), {}, 0, ""), FormatProblem::Line},
            {format(QStringLiteral("A"), {1}, 0, ""), FormatProblem::SortCategory},
            {format(QStringLiteral("A"), {1}, 4, ""), FormatProblem::SortDirection}};
        for (const auto& [details, field] : cases)
            QCOMPARE(CheckFormat(details).value().focus, field);
        QVERIFY(!CheckFormat(format(QStringLiteral("A"), {1}, 23, "A")));  // the sort need not be on the line
    }

    void storingReplacesTheWholeLine()
    {
        Db().execute(QStringLiteral("delete from GoalieRptFormat"));
        QCOMPARE(StoreFormat(Db(), CatKind::Goalie, 0, format(QStringLiteral(" Saves "), {3, 13, 14}, 25, "A")),
                 int16_t(1));
        QCOMPARE(ReadFormatEntry(Db(), CatKind::Goalie, 1)->name, QStringLiteral("Saves"));
        QCOMPARE(storedLine("GoalieRptCats", 1), (QList<int>{3, 13, 14}));
        QCOMPARE(StoreFormat(Db(), CatKind::Goalie, 1, format(QStringLiteral("Fewer"), {14}, 18, "D")), int16_t(1));
        QCOMPARE(storedLine("GoalieRptCats", 1), (QList<int>{14}));
        const FormatDetails back = *ReadFormat(Db(), CatKind::Goalie, 1);
        QCOMPARE(back.sortCategory, int16_t(18));
        QCOMPARE(back.sortDirection, QStringLiteral("D"));
        QCOMPARE(StoreFormat(Db(), CatKind::Player, 0, format(QStringLiteral("x"), {1})), int16_t(3));
    }

    // Format numbers are 16-bit: a new format takes the last one, then none;
    // a stored format is still changed under its own number.
    void aNewFormatFindsTheLastNumberThenNone()
    {
        Db().execute(QStringLiteral("update GoalieRptFormat set ReportNumber = 32766 where ReportNumber = 2"));
        QCOMPARE(StoreFormat(Db(), CatKind::Goalie, 0, format(QStringLiteral("Last"), {3})), std::optional<int16_t>(32767));
        const auto rows = [] {
            return Db().scalar(QStringLiteral("select (select count(*) from GoalieRptFormat) || '/' || "
                                              "(select count(*) from GoalieRptCats)")).toString();
        };
        const QString before = rows();
        QCOMPARE(StoreFormat(Db(), CatKind::Goalie, 0, format(QStringLiteral("Too many"), {3, 13})), std::nullopt);
        QCOMPARE(rows(), before);
        QCOMPARE(StoreFormat(Db(), CatKind::Goalie, 32767, format(QStringLiteral("Changed"), {14})),
                 std::optional<int16_t>(32767));
        QCOMPARE(storedLine("GoalieRptCats", 32767), QList<int>{14});
        g.ReportCode = "G";
        QCOMPARE(NextReportNumber(), std::nullopt);

        frmFormat f({CatKind::Goalie, 0});
        Dialog::setModalHook([](Dialog*) {});
        f.showModal();
        f.txtFormatName->setText(QStringLiteral("Mine"));
        f.cmdDefault->click();
        env->expectMsgBox(QStringLiteral("No more report formats can be added: report format number 32767, the "
                                         "largest there is, is already in use!"),
                          vbOK, QStringLiteral("No Report Format Number Left"));
        f.cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!f.storedNumber());
        QCOMPARE(f.focusWidget(), f.txtFormatName);
        QCOMPARE(rows(), before);
    }

    // ------------------------------------------------------------ the editor

    // A new format starts empty with the kind's sort (the goalies' below);
    // moves insert before the selection, and "end" stays; OK checks, and
    // Default keeps the name.
    void aNewFormatIsFilledCheckedAndStored()
    {
        frmFormat f({CatKind::Player, 0});
        Dialog::setModalHook([](Dialog*) {});
        f.showModal();
        QCOMPARE(listTexts(f.lstSelCat), QStringList{QStringLiteral("end")});
        QCOMPARE(f.cmbSortCat->currentText(), QStringLiteral("PPG"));
        QVERIFY(f.optSortDesc->isChecked() && !f.optSortAsc->isChecked());
        grab(&f, "format-new-player");
        env->expectMsgBox(QStringLiteral("Must enter Report Format Name!"), vbOK);
        f.cmdOK->click();
        f.txtFormatName->setText(QStringLiteral("  Mine  "));
        env->expectMsgBox(QStringLiteral("Must add at least one category to Report Line!"), vbOK);
        f.cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!f.storedNumber());

        f.lstAll->setCurrentRow(28);  // "end"
        f.cmdAdd->click();
        f.lstAll->setCurrentRow(4);  // "G"
        f.cmdAdd->click();           // appended: "end" was selected
        f.cmdAdd->click();           // "PP" moved up into the place: in front of "end" again
        QCOMPARE(listTexts(f.lstSelCat), (QStringList{QStringLiteral("G  "), QStringLiteral("PP "), QStringLiteral("end")}));
        f.lstSelCat->setCurrentRow(0);
        f.lstAll->setCurrentRow(0);  // "GP" in front of "G"
        f.cmdAdd->click();
        f.lstSelCat->setCurrentRow(3);  // "end" stays
        f.cmdDelete->click();
        f.lstSelCat->setCurrentRow(1);  // "G" back, in front of the selected "Per"
        f.lstAll->setCurrentRow(0);
        f.cmdDelete->click();
        QCOMPARE(listTexts(f.lstSelCat), (QStringList{QStringLiteral("GP "), QStringLiteral("PP "), QStringLiteral("end")}));
        QCOMPARE(f.lstAll->item(0)->text(), QStringLiteral("G  "));
        QCOMPARE(f.shownFormat().line, (std::vector<int16_t>{1, 6}));

        f.cmdDefault->click();
        QCOMPARE(f.txtFormatName->text(), QStringLiteral("  Mine  "));
        f.cmbSortCat->setCurrentIndex(-1);
        env->expectMsgBox(QStringLiteral("Must select sort category!"), vbOK);
        f.cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);
        f.cmbSortCat->setCurrentIndex(15);  // "Pts"
        f.cmdOK->click();
        QCOMPARE(f.storedNumber(), std::optional<int16_t>(3));
        QCOMPARE(ReadFormatEntry(Db(), CatKind::Player, 3)->name, QStringLiteral("Mine"));
        QCOMPARE(storedLine("PlayerRptCats", 3).size(), 17);
        QCOMPARE(ReadFormat(Db(), CatKind::Player, 3)->sortCategory, int16_t(16));
    }

    void anExistingFormatOpensWithItsLineAndNames()
    {
        nameUserCategory(CatKind::Goalie, 1, QStringLiteral("Hit"));
        StoreFormat(Db(), CatKind::Goalie, 2, format(QStringLiteral("Two"), {46, 3}, 46, "X"));
        frmFormat f({CatKind::Goalie, 2});
        Dialog::setModalHook([](Dialog*) {});
        f.showModal();
        QCOMPARE(f.txtFormatName->text(), QStringLiteral("Two"));
        QCOMPARE(listTexts(f.lstSelCat), (QStringList{QStringLiteral("Hit"), QStringLiteral("Min"), QStringLiteral("end")}));
        QCOMPARE(f.cmbSortCat->currentText(), QStringLiteral("Hit"));
        grab(&f, "format-existing");
        env->expectMsgBox(QStringLiteral("Must select Descending or Ascending sort direction!"), vbOK);
        f.cmdOK->click();
        QCOMPARE(env->pendingExpectations(), 0);
        f.cmdCancel->click();
        QVERIFY(!f.storedNumber());
    }

    // ------------------------------------------------------------ the chooser

    void theChoiceBecomesCurrent()
    {
        g.PlayerReportNumber = 2;
        Dialog::setModalHook([](Dialog* d) {
            auto* s = static_cast<frmRptSelect*>(d);
            QCOMPARE(listTexts(s->lstReports),
                     (QStringList{QStringLiteral("Standard Player Report"), QStringLiteral("Scoring Leaders")}));
            QCOMPARE(s->lstReports->currentRow(), 1);
            grab(s, "rptselect");
            s->lstReports->setCurrentRow(0);
            s->cmdOK->click();
        });
        QCOMPARE(frmRptSelect::run({QStringLiteral("P")}).value().reportNumber, int16_t(1));
        QCOMPARE(g.PlayerReportNumber, int16_t(1));
        QCOMPARE(g.PlayerRptDescription.str().trimmed(), QStringLiteral("Standard Player Report"));
        QCOMPARE(g.PlayerReportLine[2], int16_t(3));
    }

    void addAndChangeGoThroughTheEditor()
    {
        std::optional<RptSelectResult> chosen;
        Dialog::setModalHook([](Dialog* d) {
            if (auto* editor = qobject_cast<frmFormat*>(d)) {
                if (editor->txtFormatName->text().isEmpty()) {
                    QCOMPARE(editor->cmbSortCat->currentText(), QStringLiteral("GAA"));
                    QVERIFY(editor->optSortAsc->isChecked());
                    editor->txtFormatName->setText(QStringLiteral("Hits"));
                } else
                    editor->txtFormatName->setText(QStringLiteral("Hits renamed"));
                editor->lstAll->setCurrentRow(25);  // the first user category not on the line
                editor->cmdAdd->click();
                editor->cmdOK->click();
                return;
            }
            auto* s = static_cast<frmRptSelect*>(d);
            s->cmdAdd->click();
            QCOMPARE(s->lstReports->currentItem()->text(), QStringLiteral("Hits"));
            s->cmdChange->click();
            QCOMPARE(s->lstReports->currentRow(), 2);
            QCOMPARE(s->lstReports->currentItem()->text(), QStringLiteral("Hits renamed"));
            s->cmdOK->click();
        });
        chosen = frmRptSelect::run({QStringLiteral("G")});
        QCOMPARE(chosen->reportNumber, int16_t(3));
        QCOMPARE(g.GoalieRptDescription.str().trimmed(), QStringLiteral("Hits renamed"));
        QCOMPARE(g.GoalieReportLine[1], int16_t(47));  // put in front of the selected first column
        QCOMPARE(g.GoalieReportLine[2], int16_t(46));
        QCOMPARE(ChosenFormat(Db(), CatKind::Goalie), std::optional<int16_t>(3));
    }

    void deletingSelectsTheNextAndMovesTheChoice()
    {
        StoreFormat(Db(), CatKind::Player, 0, format(QStringLiteral("Third"), {1}));
        Dialog::setModalHook([this](Dialog* d) {
            auto* s = static_cast<frmRptSelect*>(d);
            QCOMPARE(s->lstReports->currentRow(), 0);  // the format in use
            env->expectMsgBox(QStringLiteral("Are you sure?"), vbNo, QStringLiteral("Delete Report Format"));
            s->cmdDelete->click();
            QCOMPARE(s->lstReports->count(), 3);
            env->expectMsgBox(QStringLiteral("Are you sure?"), vbYes);
            s->cmdDelete->click();  // the first: the new first is selected
            QCOMPARE(s->lstReports->currentItem()->text(), QStringLiteral("Scoring Leaders"));
            QCOMPARE(g.PlayerReportNumber, int16_t(2));
            s->lstReports->setCurrentRow(1);
            env->expectMsgBox(QStringLiteral("Are you sure?"), vbYes);
            s->cmdDelete->click();  // the last: the new last is selected
            QCOMPARE(listTexts(s->lstReports), QStringList{QStringLiteral("Scoring Leaders")});
            QCOMPARE(s->lstReports->currentRow(), 0);
            env->expectMsgBox(QStringLiteral("Cannot Delete Only Report Format"), vbOK, QStringLiteral("Only Report"));
            s->cmdDelete->click();
            s->cmdCancel->click();
        });
        // The format in use went: Cancel still hands over its replacement.
        QCOMPARE(frmRptSelect::run({QStringLiteral("P")})->reportNumber, int16_t(2));
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(g.PlayerReportNumber, int16_t(2));
        QCOMPARE(ChosenFormat(Db(), CatKind::Player), std::optional<int16_t>(2));
        QCOMPARE(storedLine("PlayerRptCats", 1), QList<int>{});
        restartProgram(*env);
        QCOMPARE(g.PlayerRptDescription.str().trimmed(), QStringLiteral("Scoring Leaders"));
    }

    void withoutFormatsOnlyAddAndCancelWork()
    {
        Db().execute(QStringLiteral("delete from PlayerRptFormat"));
        Dialog::setModalHook([](Dialog* d) {
            auto* s = static_cast<frmRptSelect*>(d);
            QVERIFY(!s->cmdOK->isEnabled() && !s->cmdChange->isEnabled() && !s->cmdDelete->isEnabled());
            QVERIFY(s->cmdAdd->isEnabled());
            s->cmdCancel->click();
        });
        QVERIFY(!frmRptSelect::run({QStringLiteral("P")}));
    }
};

VH_TEST_MAIN(TstReportFormats)
#include "tst_reportformats.moc"
