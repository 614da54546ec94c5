// Names of the user categories and the game types: the checks of the names
// window, game types written at once and seen by the program only after
// Close, the deletion's count question and the rows it resets.

#include "config/ConfigTestData.h"
#include "config/NameStore.h"
#include "config/frmNameYourOwn.h"
#include "games/GameTestData.h"
#include "shell/Procedures.h"
#include "support/TestMain.h"
#include "teams/frmSelectTeam.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace vh;
using namespace vh::test;

namespace {

QString storedName(const char* type, int number)
{
    return Db()
        .scalar(QStringLiteral("select CategoryDescription from NameYourOwnCats where CategoryType = ? and "
                               "CategoryNumber = ?"),
                {QLatin1String(type), number})
        .toString();
}

// The list's entries, each followed by ":" and its game type number.
QStringList numbered(const QListWidget* list)
{
    QStringList out = listTexts(list);
    for (int r = 0; r < list->count(); ++r)
        out[r] += QLatin1Char(':') + QString::number(list->item(r)->data(Qt::UserRole).toInt());
    return out;
}

int rowsOfType(const char* table, int type)
{
    return Db()
        .scalar(QStringLiteral("select count(*) from %1 where GameType = ?").arg(QLatin1String(table)), {type})
        .toInt();
}

// Games of two teams, `games` of them of the type; each with two player and
// one goalie row carrying the type too.
void addGamesOfType(int type, int games)
{
    static int game = 10;
    for (int k = 1; k <= games; ++k) {
        const int16_t team = int16_t(k % 2 + 1);
        ++game;
        addStoredGame(team, int16_t(game), game);
        for (const char* table : {"GameStats", "PlayerStats", "GoalieStats"})
            Db().execute(QStringLiteral("update %1 set GameType = ? where TeamNumber = ? and GameNumber = ?")
                             .arg(QLatin1String(table)),
                         {type, int(team), game});
    }
}

}  // namespace

class TstNames : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    static frmNameYourOwn* open() { return openFromSelection<frmNameYourOwn>(); }
    void addType(frmNameYourOwn* f, const QString& name)
    {
        f->cmdAdd->click();
        f->txtGameType->setText(name);
        f->cmdOK->click();
    }

private slots:
    void init()
    {
        env = startProgram();
        for (auto [n, name] : {std::pair{3, "League"}, std::pair{1, "playoff"}, std::pair{2, "Exhibition"}})
            AddGameType(Db(), int16_t(n), QString::fromLatin1(name));
        LoadGameTypes();
    }
    void cleanup()
    {
        Unload<frmNameYourOwn>();
        Unload<frmSelectTeam>();
        flushDeletes();
        env.reset();
        resetGlobals();
    }

    void opensOnTheProgramsNamesAndStoresThemOnClose()
    {
        frmNameYourOwn* f = open();
        QCOMPARE(numbered(f->lstGameTypes),
                 (QStringList{QStringLiteral("Exhibition:2"), QStringLiteral("League:3"), QStringLiteral("playoff:1")}));
        QCOMPARE(f->lstGameTypes->currentRow(), 0);
        QCOMPARE(f->txtCat[1]->text(), QStringLiteral("H1"));
        QCOMPARE(f->txtCat[10]->text(), QStringLiteral("G5"));
        // The heading shows whole, dashes and all, clear of the game types.
        const auto* heading = f->findChild<QLabel*>(QStringLiteral("Label1"));
        const QString dashes(13, QLatin1Char('-'));
        QCOMPARE(heading->text(), dashes + QStringLiteral(" Rename Categories ") + dashes);
        QVERIFY(heading->fontMetrics().horizontalAdvance(heading->text()) <= heading->contentsRect().width());
        QVERIFY(heading->geometry().right() < f->findChild<QWidget*>(QStringLiteral("Frame1"))->x());
        grab(f, "names");

        // Close stores the names everywhere.
        f->txtCat[1]->setText(QStringLiteral("Hit"));
        f->txtCat[4]->setText(QStringLiteral(" x "));
        f->txtCat[2]->setText(QStringLiteral("   "));
        f->txtCat[3]->setText(QStringLiteral("a b"));
        f->txtCat[6]->setText(QStringLiteral("G"));  // equal to a built-in name: taken as typed
        f->txtCat[7]->setText(QString());
        f->txtCat[5]->setText(QStringLiteral("a\U0001F600\U0001F600\U0001F600"));  // cut to whole characters
        f->cmdClose->click();
        flushDeletes();
        QVERIFY(!Loaded<frmNameYourOwn>());
        QVERIFY(Loaded<frmSelectTeam>()->isShown());
        QStringList stored;
        for (int n = 1; n <= 7; ++n)
            stored << storedName(n <= 5 ? "H" : "G", n <= 5 ? n : n - 5);
        QCOMPARE(stored, (QStringList{QStringLiteral("Hit"), QStringLiteral("H2"), QStringLiteral("a b"), QStringLiteral("x"),
                                      QStringLiteral("a\U0001F600\U0001F600"), QStringLiteral("G"), QStringLiteral("G2")}));
        QCOMPARE(storedName("H", 6), QStringLiteral("H6"));  // rows above 5 untouched
        QCOMPARE(g.PlayerCatAbbrev[46].str(), QStringLiteral("Hit"));
        QCOMPARE(g.GoalieCatAbbrev[46].str(), QStringLiteral("G  "));
    }

    void gameTypesReachTheDatabaseAtOnceAndTheProgramOnClose()
    {
        frmNameYourOwn* f = open();
        env->expectMsgBox(QStringLiteral("Game Type can not be blank!"), vbOK, QStringLiteral("Game Type Invalid"));
        addType(f, QStringLiteral("   "));
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!f->txtGameType->isHidden());  // still entering
        QVERIFY(!f->cmdClose->isEnabled() && !f->lstGameTypes->isEnabled());
        grab(f, "names-editing");
        f->txtGameType->setText(QStringLiteral("  Tournament "));
        f->cmdOK->click();
        QVERIFY(f->txtGameType->isHidden() && f->cmdClose->isEnabled());
        QCOMPARE(f->lstGameTypes->currentItem()->text(), QStringLiteral("Tournament"));
        QCOMPARE(ReadGameTypes(Db()).back().number, int16_t(4));
        QCOMPARE(g.NumberGameTypes, int16_t(4));  // not yet

        // Change keeps the number; an equal name is allowed.
        f->lstGameTypes->setCurrentRow(0);  // Exhibition (2)
        f->cmdChange->click();
        QCOMPARE(f->txtGameType->text(), QStringLiteral("Exhibition"));
        f->txtGameType->setText(QStringLiteral("League"));
        f->cmdOK->click();
        QCOMPARE(numbered(f->lstGameTypes), (QStringList{QStringLiteral("League:2"), QStringLiteral("League:3"),
                                      QStringLiteral("playoff:1"), QStringLiteral("Tournament:4")}));

        // Cancel stores nothing.
        f->cmdAdd->click();
        f->txtGameType->setText(QStringLiteral("Dropped"));
        f->cmdCancel->click();
        QCOMPARE(f->lstGameTypes->count(), 4);

        f->cmdClose->click();
        QCOMPARE(g.NumberGameTypes, int16_t(5));
        QCOMPARE(g.GameTypeNumbers[4], int16_t(2));  // table order
    }

    // The list in the user's alphabet: an added or renamed game type lands
    // in its place, chosen and with its number.
    void gameTypesInTheUsersAlphabet_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("order");
        QTest::newRow("en_US") << QStringLiteral("en_US")
                               << QStringLiteral("Çeyrek Final:1 Écoles:6 Exhibition:2 İl Kupası:4 ılık Maç:5 League:3");
        QTest::newRow("C") << QStringLiteral("C")
                           << QStringLiteral("Çeyrek Final:1 Écoles:6 Exhibition:2 İl Kupası:4 ılık Maç:5 League:3");
        QTest::newRow("tr_TR") << QStringLiteral("tr_TR")
                               << QStringLiteral("Çeyrek Final:1 Écoles:6 Exhibition:2 ılık Maç:5 İl Kupası:4 League:3");
    }
    void gameTypesInTheUsersAlphabet()
    {
        QFETCH(QString, region);
        QFETCH(QString, order);
        RegionalSettings settings(region);
        frmNameYourOwn* f = open();
        for (const QString& name : {QStringLiteral("İl Kupası"), QStringLiteral("ılık Maç"), QStringLiteral("Écoles")}) {
            addType(f, name);
            QCOMPARE(f->lstGameTypes->currentItem()->text(), name);
        }
        f->lstGameTypes->setCurrentRow(f->lstGameTypes->count() - 1);  // playoff (1)
        f->cmdChange->click();
        f->txtGameType->setText(QStringLiteral("Çeyrek Final"));
        f->cmdOK->click();
        QCOMPARE(numbered(f->lstGameTypes).join(QLatin1Char(' ')), order);
        QCOMPARE(f->lstGameTypes->currentRow(), 0);
        f->cmdClose->click();
    }

    // Game type numbers are 16-bit: the last one is given once, then OK says
    // so and nothing is stored under a wrapped number.
    void addingAGameTypeFindsTheLastNumberThenNone()
    {
        QCOMPARE(NewGameTypeNumber(Db(), 1), std::optional<int16_t>(4));
        Db().execute(QStringLiteral("update GameTypes set GameTypeNumber = 32766 where GameTypeNumber = 3"));
        LoadGameTypes();
        frmNameYourOwn* f = open();
        addType(f, QStringLiteral("Last"));
        QCOMPARE(ReadGameTypes(Db()).back().number, int16_t(32767));

        env->expectMsgBox(QStringLiteral("No more game types can be added: game type number 32767, the largest there "
                                         "is, is already in use!"),
                          vbOK, QStringLiteral("No Game Type Number Left"));
        addType(f, QStringLiteral("One Too Many"));
        QCOMPARE(env->pendingExpectations(), 0);
        QVERIFY(!f->txtGameType->isHidden());  // still entering, for Cancel
        QCOMPARE(ReadGameTypes(Db()).size(), size_t(4));
        QCOMPARE(f->lstGameTypes->count(), 4);
        QCOMPARE(NewGameTypeNumber(Db(), 1), std::nullopt);
    }

    void changeOrDeleteWithoutSelectionWarns()
    {
        Db().execute(QStringLiteral("delete from GameTypes"));
        LoadGameTypes();
        frmNameYourOwn* f = open();
        for (QPushButton* b : {f->cmdChange, f->cmdDelete}) {
            env->expectMsgBox(QStringLiteral("Must select game type!"), vbOK, QStringLiteral("Game Type Not Selected"));
            b->click();
            QCOMPARE(env->pendingExpectations(), 0);
        }
        addType(f, QStringLiteral("First"));
        QCOMPARE(ReadGameTypes(Db()).front().number, int16_t(1));
    }

    void deletingAskWithTheCountAndResetsEveryRowOfTheType()
    {
        addGamesOfType(3, 3);
        addGamesOfType(2, 1);
        frmNameYourOwn* f = open();
        f->lstGameTypes->setCurrentRow(1);  // League (3)

        env->expectMsgBox(QStringLiteral("Are you sure?  3 game(s) will have this game type removed!"), vbCancel,
                          QStringLiteral("Delete Game Type?"));
        f->cmdDelete->click();
        QCOMPARE(rowsOfType("GameStats", 3), 3);

        env->expectMsgBox(QStringLiteral("3 game(s)"), vbOK);
        f->cmdDelete->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(numbered(f->lstGameTypes), (QStringList{QStringLiteral("Exhibition:2"), QStringLiteral("playoff:1")}));
        QCOMPARE(f->lstGameTypes->currentRow(), 1);  // the entry now at the removed position
        for (const char* table : {"GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(rowsOfType(table, 3), 0);
        QCOMPARE(rowsOfType("GameStats", 0), 3);
        QCOMPARE(rowsOfType("PlayerStats", 0), 6);
        QCOMPARE(rowsOfType("GoalieStats", 2), 1);  // other types untouched

        // A deletion that fails half-way changes nothing.
        Db().execute(QStringLiteral("create trigger refuse before update on GoalieStats "
                                    "begin select raise(abort, 'disk full'); end"));
        env->expectMsgBox(QStringLiteral("1 game(s)"), vbOK);
        env->expectMsgBox(QStringLiteral("The game type could not be deleted. Nothing has been changed."));
        f->lstGameTypes->setCurrentRow(0);  // Exhibition (2)
        f->cmdDelete->click();
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(rowsOfType("GameStats", 2), 1);
        QCOMPARE(ReadGameTypes(Db()).size(), size_t(2));
        Db().execute(QStringLiteral("drop trigger refuse"));
        f->lstGameTypes->setCurrentRow(1);

        // A type no game uses goes without a question; the last entry's
        // deletion selects the new last one.
        f->cmdDelete->click();  // playoff (1)
        QCOMPARE(numbered(f->lstGameTypes), (QStringList{QStringLiteral("Exhibition:2")}));
        QCOMPARE(f->lstGameTypes->currentRow(), 0);

        // A deleted highest number is not given again while the window stays open.
        addType(f, QStringLiteral("New"));
        QCOMPARE(ReadGameTypes(Db()).back().number, int16_t(4));
    }
};

VH_TEST_MAIN(TstNames)
#include "tst_names.moc"
