#include "games/frmGameScreen.h"

#include "games/GameStore.h"
#include "games/GameWindows.h"
#include "games/ImportMirror.h"
#include "games/PlayerScreenLink.h"
#include "games/frmGameMenu.h"
#include "games/frmImportGame.h"
#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/TextFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace vh {

namespace {

constexpr int NotesLimit = 2000;
// Score grid inside Frame1, in twips.
constexpr int UpperRowTop = 480, LowerRowTop = 960, TotalOffset = 45;
constexpr int FirstPeriodLeft = 3240, PeriodStep = 480, TotalLeft = 5640;
constexpr int BoxWidth = 315, BoxHeight = 285;

}  // namespace

HeaderSaveResult SaveGameHeader(const GameHeaderEntry& entry, int16_t originalGameType, int16_t originalHomeTeam)
{
    GameHeaderInput in;
    in.entry = entry;
    in.mode = g.GameEditMode.str();
    in.team = g.CurrentTeam;
    in.oldGameNumber = g.OldGameNumber;
    in.numGames = g.NumGames;
    in.originalGameType = originalGameType;
    in.originalHomeTeam = originalHomeTeam;
    in.warnGoalsFor = g.EditGoalsForOption != 0;
    in.warnGoalsAgainst = g.EditGoalsAgainstOption != 0;
    for (;;) {
        HeaderStep step = CheckGameHeader(Db(), in);
        // The overtime flag is the answer's once the save gets that far.
        const bool overtime = g.GameRec.overtime;
        g.GameRec = step.game;
        if (step.kind != HeaderStep::Kind::Write)
            g.GameRec.overtime = overtime;
        if (step.infoChanged)
            g.GameInfoChanged = "Y";
        switch (step.kind) {
        case HeaderStep::Kind::Stop:
            if (!step.message.text.isEmpty())
                MsgBox(step.message.text, g.MsgStyleWarn, step.message.title);
            return {false, step.focus, step.restoreGameNumber};
        case HeaderStep::Kind::Ask: {
            const bool yes = MsgBox(step.message.text, g.MsgStyleYesNo, step.message.title) == vbYes;
            (step.question == HeaderQuestion::Overtime ? in.overtime : in.insertAtNumber) = yes;
            continue;
        }
        case HeaderStep::Kind::Write: {
            for (const HeaderMessage& w : step.warnings)
                MsgBox(w.text, g.MsgStyleWarn, w.title);
            step.request.infoChanged = g.GameInfoChanged == "Y";
            const bool written = WriteGames(step.request);
            // A later save starts from where the game is now stored, and the
            // game list comes back with this game chosen, not the one that
            // took its old number.
            if (written) {
                g.OldGameNumber = g.GameRec.gameNumber;
                g.ReselectGame = g.GameRec.gameNumber;
            }
            return {written, HeaderBox::None, false};
        }
        }
    }
}

frmGameScreen::frmGameScreen() : Form(FormNo::GameScreen)
{
    setObjectName(QStringLiteral("frmGameScreen"));
    setWindowTitle(QStringLiteral("Game Entry Screen"));
    setDesignSize(9615, 7020);

    const auto textBox = [this](QWidget* parent, const char* name, int maxLength, int left, int top, int width) {
        QLineEdit* b = makeTextBox(parent, QLatin1String(name), maxLength, left, top, width, BoxHeight);
        connect(b, &QLineEdit::textChanged, this, &frmGameScreen::markChanged);
        return b;
    };
    // Digits only; the whole number is selected whenever the box gets the focus.
    const auto numberBox = [this, &textBox](QWidget* parent, const char* name, int maxLength, int left, int top,
                                            int width) {
        QLineEdit* b = textBox(parent, name, maxLength, left, top, width);
        installNumericKeyFilter(b);
        keepPastedDigitsOnly(b);
        b->installEventFilter(this);
        return b;
    };

    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Game Number:"), 240, 285, 1500);
    txtGameNumber = numberBox(this, "txtGameNumber", 5, 1800, 240, 735);
    nameBoxByLabel(Label1, txtGameNumber);

    lblGameDate = makeLabel(this, QStringLiteral("lblGameDate"), QStringLiteral("Game Date:"), 240, 705, 1500);
    txtGameDate = textBox(this, "txtGameDate", 20, 1800, 660, 1695);
    nameBoxByLabel(lblGameDate, txtGameDate);
    selectAllOnTabFocus(txtGameDate);
    txtGameDate->installEventFilter(this);
    connect(txtGameDate, &QLineEdit::textChanged, this, [this] { lblDisplayDate->clear(); });
    Label3 = makeLabel(this, QStringLiteral("Label3"), DateOrderWords(), 3600, 705, 1800);
    lblDisplayDate = makeLabel(this, QStringLiteral("lblDisplayDate"), QString(), 1800, 1005, 3840);

    lblGameLocation = makeLabel(this, QStringLiteral("lblGameLocation"), QStringLiteral("Game Location:"), 240, 1425, 1500);
    txtGameLoc = textBox(this, "txtGameLoc", 30, 1800, 1380, 3600);
    nameBoxByLabel(lblGameLocation, txtGameLoc);
    selectAllOnTabFocus(txtGameLoc);

    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("Number of Periods to Show:"), 240, 1860, 2700);
    cmbPeriods = makeComboBox(this, QStringLiteral("cmbPeriods"), 3000, 1800, 735, 345);
    cmbPeriods->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    nameBoxByLabel(Label8, cmbPeriods);
    chkHomeTeam = makeCheckBox(this, QStringLiteral("chkHomeTeam"), QStringLiteral("Home Team"), 4080, 1830, 1560, 285);

    lblGameType = makeLabel(this, QStringLiteral("lblGameType"), QStringLiteral("Game Types"), 5880, 240, 3480);
    lstGameTypes = makeListBox(this, QStringLiteral("lstGameTypes"), 5880, 495, 3480, 1650);
    nameBoxByLabel(lblGameType, lstGameTypes);
    lblAddGameTypes = makeLabel(this, QStringLiteral("lblAddGameTypes"),
                            QStringLiteral("To add game types, select Name Categories and Game Types from the Tools Menu."),
                            5880, 1305, 3480, 840);
    lblAddGameTypes->setWordWrap(true);
    lblAddGameTypes->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The score grid: the opponent's boxes 0 to 4, the team's 5 to 9.
    Frame1 = makeFrame(this, QStringLiteral("Frame1"), QString(), 240, 2325, 6240, 1485);
    cmbOpponents = makeComboBox(Frame1, QStringLiteral("cmbOpponents"), 240, UpperRowTop, 2805, BoxHeight);
    nameBox(cmbOpponents, QStringLiteral("Opponent"));
    cmbOpponents->setEditable(true);
    cmbOpponents->setInsertPolicy(QComboBox::NoInsert);
    limitLength(cmbOpponents->lineEdit(), 255);
    cmbOpponents->setGeometry(tw(240), tw(UpperRowTop), tw(2805), tw(BoxHeight) + 4);
    selectAllOnTabFocus(cmbOpponents->lineEdit());
    connect(cmbOpponents, &QComboBox::editTextChanged, this, &frmGameScreen::markChanged);
    connect(cmbOpponents, &QComboBox::activated, this, &frmGameScreen::markChanged);
    lblTeamName = makeLabel(Frame1, QStringLiteral("lblTeamName"), QString(), 240, LowerRowTop + 30, 2805);
    static const char* const heads[] = {"1", "2", "3", "4", "OT"};
    for (int i = 0; i < 5; ++i) {
        lblPeriod[size_t(i)] = makeLabel(Frame1, QStringLiteral("lblPeriod"), QString::fromLatin1(heads[i]),
                                     FirstPeriodLeft + PeriodStep * i, 240, BoxWidth);
        lblPeriod[size_t(i)]->setObjectName(QStringLiteral("lblPeriod_%1").arg(i));
        lblPeriod[size_t(i)]->setAlignment(Qt::AlignCenter);
    }
    lblFinal = makeLabel(Frame1, QStringLiteral("lblFinal"), QStringLiteral("Final"), TotalLeft, 240, 480);
    for (int i = 0; i < 10; ++i) {
        const int column = i % 5;
        QLineEdit* b = numberBox(Frame1, "txtPeriodScore", 2, FirstPeriodLeft + PeriodStep * column,
                                 i < 5 ? UpperRowTop : LowerRowTop, BoxWidth);
        b->setObjectName(QStringLiteral("txtPeriodScore_%1").arg(i));
        // Named after its row and column heads: "Opponent period 2", "Team OT".
        nameBox(b, (i < 5 ? QStringLiteral("Opponent ") : QStringLiteral("Team ")) +
                       (column < 4 ? QStringLiteral("period ") : QString()) + QString::fromLatin1(heads[column]));
        b->setAlignment(Qt::AlignCenter);
        connect(b, &QLineEdit::textChanged, this, &frmGameScreen::DisplayTotalGoals);
        txtPeriodScore[size_t(i)] = b;
    }
    for (int i = 0; i < 2; ++i) {
        lblGoals[size_t(i)] = makeLabel(Frame1, QStringLiteral("lblGoals"), QString(), TotalLeft,
                                    (i == 0 ? UpperRowTop : LowerRowTop) + TotalOffset, 480);
        lblGoals[size_t(i)]->setObjectName(QStringLiteral("lblGoals_%1").arg(i));
    }

    Frame2 = makeFrame(this, QStringLiteral("Frame2"), QString(), 6720, 2325, 2640, 1485);
    Label4 = makeLabel(Frame2, QStringLiteral("Label4"), QStringLiteral("PP:"), 180, 405, 660);
    txtPP = numberBox(Frame2, "txtPP", 2, 840, 360, 435);
    nameBoxByLabel(Label4, txtPP);
    Label6 = makeLabel(Frame2, QStringLiteral("Label6"), QStringLiteral("PPG:"), 1380, 405, 660);
    txtPPG = numberBox(Frame2, "txtPPG", 2, 2040, 360, 435);
    nameBoxByLabel(Label6, txtPPG);
    Label5 = makeLabel(Frame2, QStringLiteral("Label5"), QStringLiteral("SH:"), 180, 945, 660);
    txtSH = numberBox(Frame2, "txtSH", 2, 840, 900, 435);
    nameBoxByLabel(Label5, txtSH);
    Label7 = makeLabel(Frame2, QStringLiteral("Label7"), QStringLiteral("Kills:"), 1380, 945, 660);
    txtKills = numberBox(Frame2, "txtKills", 2, 2040, 900, 435);
    nameBoxByLabel(Label7, txtKills);

    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Game Notes:"), 240, 3990, 1800);
    txtNotes = makeMemoBox(this, QStringLiteral("txtNotes"), 240, 4245, 9120, 1920);
    nameBoxByLabel(Label2, txtNotes);
    txtNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNotes->installEventFilter(this);
    limitLength(txtNotes, NotesLimit);
    connect(txtNotes, &QPlainTextEdit::textChanged, this, &frmGameScreen::markChanged);

    const auto button = [this](const char* name, const QString& caption, int left) {
        return makeButton(this, QLatin1String(name), caption, left, 6375, 1575, 405);
    };
    cmdPlayers = button("cmdPlayers", QStringLiteral("&Player Screen"), 240);
    cmdImport = button("cmdImport", QStringLiteral("&Import"), 1995);
    cmdOK = button("cmdOK", QStringLiteral("&OK"), 6030);
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"), 7785);
    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    InstallHelpKey(this, HelpTopic::GameScreen);

    connect(cmdOK, &QPushButton::clicked, this, &frmGameScreen::cmdOK_Click);
    connect(cmdPlayers, &QPushButton::clicked, this, &frmGameScreen::cmdPlayers_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGameScreen::cmdCancel_Click);
    connect(cmdImport, &QPushButton::clicked, this, &frmGameScreen::cmdImport_Click);
    connect(cmbPeriods, &QComboBox::currentIndexChanged, this, &frmGameScreen::cmbPeriods_Click);
    connect(chkHomeTeam, &QCheckBox::toggled, this, &frmGameScreen::chkHomeTeam_Click);
    connect(lstGameTypes, &QListWidget::currentRowChanged, this, &frmGameScreen::markChanged);
    connect(lstGameTypes, &QListWidget::itemDoubleClicked, this, &frmGameScreen::markChanged);
}

void frmGameScreen::Form_Load()
{
    g.FormOpen[FormNo::GameScreen] = True;
    LoadingScreen = true;
    if (g.Frame)
        g.Frame->setToolbarVisible(false);
    g.GameInfoChanged = "N";
    OriginalGameType = -1;
    OriginalHomeTeam = 777;
    CenterForm(this);
    setPlainWindowTitle(this, QStringLiteral("Game Entry Screen - ") + g.SelectedTeamName);
    lblTeamName->setText(g.SelectedTeamName);
    ScreenChanged = false;
    g.ImportOpponentTeam = 0;
    // The change checks compare a new number with this team's own count, not
    // with whatever list was open last.
    g.NumGames = CountGames(Db(), g.CurrentTeam);

    for (int i = 1; i <= g.NumberGameTypes && i <= g.GameTypeDescriptions.size(); ++i) {
        auto* item = new QListWidgetItem(g.GameTypeDescriptions[i].str(), lstGameTypes);
        item->setData(Qt::UserRole, int(g.GameTypeNumbers[i]));
    }
    {
        const QSignalBlocker block(cmbOpponents);
        for (int i = 1; i <= g.NumTeams && i <= g.TeamNumbers.size(); ++i)
            if (g.TeamNumbers[i] != g.CurrentTeam)
                cmbOpponents->addItem(Trim(g.LongTeamNames[i]), int(g.TeamNumbers[i]));
        cmbOpponents->setCurrentIndex(-1);
        cmbOpponents->setEditText(QString());
    }
    if (lstGameTypes->count() > 0)
        lstGameTypes->setCurrentRow(0);

    const bool adding = g.GameEditMode == "A";
    cmdOK->setText(adding ? QStringLiteral("&Add") : QStringLiteral("&OK"));
    cmdPlayers->setVisible(!adding);
    cmdPlayers->setEnabled(PlayerScreenAvailable());

    if (adding) {
        setPeriodsIndex(qBound(0, g.PeriodsOption - 2, 2));
        txtGameNumber->setText(NumText(g.GameRec.gameNumber));
        g.OldGameNumber = g.GameRec.gameNumber;
        txtGameDate->setText(ShortDate(QDate::currentDate()));
        DisplayDate();
        chkHomeTeam->setChecked(true);
        FormatHomeTeam();
        for (QLineEdit* b : txtPeriodScore)
            b->setText(QStringLiteral("0"));
        lblGoals[0]->setText(QStringLiteral("0"));
        lblGoals[1]->setText(QStringLiteral("0"));
        for (QLineEdit* b : {txtPP, txtSH, txtPPG, txtKills})
            b->setText(QStringLiteral("0"));
    } else {
        const std::optional<GameRecord> stored = ReadGame(Db(), g.CurrentTeam, g.GameRec.gameNumber);
        // A missing row leaves the boxes empty; saving it then reports that
        // the game is not there.
        g.OldGameNumber = g.GameRec.gameNumber;
        if (stored) {
            const GameRecord& game = *stored;
            g.OldGameNumber = game.gameNumber;
            // A period count the list does not offer shows the nearest one.
            setPeriodsIndex(qBound(0, game.periods - 2, 2));
            txtGameNumber->setText(NumText(g.GameRec.gameNumber));
            txtGameDate->setText(game.gameDate);
            if (!game.gameDate.isEmpty())
                DisplayDate();
            txtGameLoc->setText(Trim(game.location));
            chkHomeTeam->setChecked(game.homeTeam);
            OriginalHomeTeam = VbBool(game.homeTeam);
            FormatHomeTeam();
            cmbOpponents->setEditText(Trim(game.opponent));
            for (int i = 0; i < lstGameTypes->count(); ++i)
                if (lstGameTypes->item(i)->data(Qt::UserRole).toInt() == game.gameType)
                    lstGameTypes->setCurrentRow(i);
            OriginalGameType = game.gameType;
            const int16_t opp[] = {game.oppGoalsPeriod1, game.oppGoalsPeriod2, game.oppGoalsPeriod3,
                                   game.oppGoalsPeriod4, game.oppGoalsOT};
            const int16_t own[] = {game.goalsPeriod1, game.goalsPeriod2, game.goalsPeriod3, game.goalsPeriod4,
                                   game.goalsOT};
            for (int i = 0; i < 5; ++i)
                txtPeriodScore[size_t(i)]->setText(NumText(opp[i]));
            lblGoals[0]->setText(NumText(game.oppGoals));
            for (int i = 0; i < 5; ++i)
                txtPeriodScore[size_t(i + 5)]->setText(NumText(own[i]));
            lblGoals[1]->setText(NumText(game.goals));
            txtPP->setText(NumText(game.pp));
            txtPPG->setText(NumText(game.ppg));
            txtKills->setText(NumText(game.kills));
            txtSH->setText(NumText(game.sh));
            txtNotes->setPlainText(Trim(game.notes));
        } else {
            txtGameNumber->setText(NumText(g.GameRec.gameNumber));
            FormatPeriods();
            FormatHomeTeam();
        }
    }

    if (lstGameTypes->count() == 1) {
        lstGameTypes->resize(lstGameTypes->width(), tw(750));
        lblAddGameTypes->setVisible(true);
    } else {
        lblAddGameTypes->setVisible(false);
    }
    LoadingScreen = false;
    SetMenus(g.SelectedTeamCount, QStringLiteral("Update"));

    FocusWhenShown(txtGameDate);
}

void frmGameScreen::Form_Unload() { g.FormOpen[FormNo::GameScreen] = False; }

void frmGameScreen::markChanged()
{
    if (!LoadingScreen)
        ScreenChanged = true;
}

void frmGameScreen::setPeriodsIndex(int index)
{
    // The periods handler runs once, also when the list already shows it.
    if (cmbPeriods->currentIndex() == index)
        cmbPeriods_Click();
    else
        cmbPeriods->setCurrentIndex(index);
}

void frmGameScreen::cmbPeriods_Click()
{
    FormatPeriods();
    DisplayTotalGoals();
    markChanged();
}

void frmGameScreen::chkHomeTeam_Click()
{
    if (LoadingScreen)
        return;
    markChanged();
    FormatHomeTeam();
}

void frmGameScreen::FormatPeriods()
{
    const int index = cmbPeriods->currentIndex();
    const bool third = index != 0;
    const bool fourth = index != 0 && index != 1;
    lblPeriod[2]->setVisible(third);
    txtPeriodScore[2]->setVisible(third);
    txtPeriodScore[7]->setVisible(third);
    lblPeriod[3]->setVisible(fourth);
    txtPeriodScore[3]->setVisible(fourth);
    txtPeriodScore[8]->setVisible(fourth);
    const int overtimeLeft = index == 0 ? 4200 : index == 1 ? 4680 : 5160;
    for (QWidget* w : {static_cast<QWidget*>(lblPeriod[4]), static_cast<QWidget*>(txtPeriodScore[4]),
                       static_cast<QWidget*>(txtPeriodScore[9])})
        w->move(tw(overtimeLeft), w->y());
}

void frmGameScreen::FormatHomeTeam()
{
    const bool home = chkHomeTeam->isChecked();
    const int opponentTop = home ? UpperRowTop : LowerRowTop;
    const int teamTop = home ? LowerRowTop : UpperRowTop;
    cmbOpponents->move(cmbOpponents->x(), tw(opponentTop));
    lblTeamName->move(lblTeamName->x(), tw(teamTop + 30));
    for (int i = 0; i < 5; ++i) {
        txtPeriodScore[size_t(i)]->move(txtPeriodScore[size_t(i)]->x(), tw(opponentTop));
        txtPeriodScore[size_t(i + 5)]->move(txtPeriodScore[size_t(i + 5)]->x(), tw(teamTop));
    }
    lblGoals[0]->move(lblGoals[0]->x(), tw(opponentTop + TotalOffset));
    lblGoals[1]->move(lblGoals[1]->x(), tw(teamTop + TotalOffset));
    setTabChain();
}

void frmGameScreen::setTabChain()
{
    // The upper row's boxes come first in the tab order, whichever team it is.
    const int upper = chkHomeTeam->isChecked() ? 0 : 5;
    const int lower = 5 - upper;
    std::vector<QWidget*> chain = {txtGameDate, txtGameLoc, chkHomeTeam, cmbPeriods, lstGameTypes, cmbOpponents};
    for (int i = 0; i < 5; ++i)
        chain.push_back(txtPeriodScore[size_t(upper + i)]);
    for (int i = 0; i < 5; ++i)
        chain.push_back(txtPeriodScore[size_t(lower + i)]);
    for (QWidget* w : std::initializer_list<QWidget*>{txtPP, txtPPG, txtSH, txtKills, txtNotes, cmdPlayers, cmdImport,
                                                      cmdOK, cmdCancel, txtGameNumber})
        chain.push_back(w);
    for (size_t i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void frmGameScreen::DisplayDate()
{
    const QString d = Trim(txtGameDate->text());
    if (d.isEmpty()) {
        lblDisplayDate->setText(QString());
        return;
    }
    const auto date = ParseDate(d);
    if (!date) {
        lblDisplayDate->setText(QStringLiteral("Invalid Date"));
        return;
    }
    lblDisplayDate->setText(DayName(d) + QStringLiteral(", ") + MonthName(d, QStringLiteral("L")) + Str(date->day()) +
                            QStringLiteral(",") + Str(date->year()));
}

void frmGameScreen::DisplayTotalGoals()
{
    std::array<QString, 10> scores;
    for (size_t i = 0; i < scores.size(); ++i)
        scores[i] = txtPeriodScore[i]->text();
    const int index = cmbPeriods->currentIndex();
    lblGoals[0]->setText(NumText(RowTotal(scores, 0, index)));
    lblGoals[1]->setText(NumText(RowTotal(scores, 5, index)));
}

GameHeaderEntry frmGameScreen::entry() const
{
    GameHeaderEntry e;
    e.gameNumber = txtGameNumber->text();
    if (QListWidgetItem* item = lstGameTypes->currentItem())
        e.gameType = int16_t(item->data(Qt::UserRole).toInt());
    e.periodsIndex = cmbPeriods->currentIndex();
    e.gameDate = txtGameDate->text();
    e.location = txtGameLoc->text();
    e.homeTeam = chkHomeTeam->isChecked();
    e.opponent = cmbOpponents->currentText();
    for (int i = 0; i < cmbOpponents->count(); ++i)
        e.opponentTeams.emplace_back(cmbOpponents->itemText(i), int16_t(cmbOpponents->itemData(i).toInt()));
    for (size_t i = 0; i < txtPeriodScore.size(); ++i)
        e.periodScores[i] = txtPeriodScore[i]->text();
    e.oppGoals = lblGoals[0]->text();
    e.goals = lblGoals[1]->text();
    e.pp = txtPP->text();
    e.ppg = txtPPG->text();
    e.sh = txtSH->text();
    e.kills = txtKills->text();
    e.notes = txtNotes->toPlainText();
    return e;
}

void frmGameScreen::focusBox(HeaderBox box)
{
    QWidget* target = nullptr;
    switch (box) {
    case HeaderBox::GameNumber: target = txtGameNumber; break;
    case HeaderBox::GameDate: target = txtGameDate; break;
    case HeaderBox::PPG: target = txtPPG; break;
    case HeaderBox::Kills: target = txtKills; break;
    case HeaderBox::None: break;
    }
    if (target)
        target->setFocus();
}

void frmGameScreen::cmdOK_Click()
{
    // Only this attempt's checks count: a stop of an earlier one must not keep
    // the screen open after this one has saved.
    SaveFailed = false;
    const HeaderSaveResult r = SaveGameHeader(entry(), OriginalGameType, OriginalHomeTeam);
    if (!r.saved) {
        SaveFailed = true;
        if (r.restoreGameNumber)
            txtGameNumber->setText(NumText(g.OldGameNumber));
        focusBox(r.focus);
        return;
    }
    if (SaveFromPlayerScreen)
        return;
    const bool changed = g.GameEditMode == "C";
    unloadForm();
    if (changed || !PlayerScreenAvailable())
        Load<frmGameMenu>();
    else
        ShowPlayerScreen();
}

void frmGameScreen::cmdPlayers_Click()
{
    if (!PlayerScreenAvailable())
        return;
    bool saved = false;
    if (ScreenChanged) {
        if (MsgBox(QStringLiteral("Save game information?"), g.MsgStyleYesNo, QStringLiteral("Game Information Changed")) ==
            vbYes) {
            SaveFromPlayerScreen = true;
            cmdOK_Click();
            SaveFromPlayerScreen = false;
            if (SaveFailed) {
                SaveFailed = false;
                return;
            }
            saved = true;
        }
    }
    // Unsaved, the game is still stored under the number it had when the
    // screen opened, whatever a stopped save left in the buffer.
    if (!saved)
        g.GameRec.gameNumber = g.OldGameNumber;
    unloadForm();
    ShowPlayerScreen();
}

bool frmGameScreen::Form_QueryUnload()
{
    if (ScreenChanged && MsgBox(QStringLiteral("Do you really want to cancel?"), g.MsgStyleYesNo,
                                QStringLiteral("Game Information Changed")) != vbYes) {
        txtGameDate->setFocus();
        return false;
    }
    return true;
}

void frmGameScreen::cmdCancel_Click()
{
    if (!Form_QueryUnload())
        return;
    unloadForm();
    Load<frmGameMenu>();
}

void frmGameScreen::cmdImport_Click()
{
    g.ImportOpponentTeam = 0;
    const QString opponent = Trim(cmbOpponents->currentText());
    for (int i = 0; i < cmbOpponents->count(); ++i) {
        if (cmbOpponents->itemText(i) == opponent) {
            g.ImportOpponentTeam = int16_t(cmbOpponents->itemData(i).toInt());
            break;
        }
    }
    if (g.ImportOpponentTeam < 1) {
        MsgBox(QStringLiteral("Must select opponent from drop-down list!"), g.MsgStyleWarn,
               QStringLiteral("No Opponent Selected"));
        txtGameDate->setFocus();
        return;
    }

    {
        frmImportGame dialog;
        if (dialog.showModal() != QDialog::Accepted)
            g.CancelFlag = "Y";
    }
    if (g.CancelFlag == "Y")
        return;

    if (const std::optional<MirroredGame> game = ReadOpponentGame(Db(), g.ImportOpponentTeam, g.ImportGameNumber))
        FillFromOpponentGame(*game, g.ImportNotes == "Y");
}

void frmGameScreen::FillFromOpponentGame(const MirroredGame& m, bool withNotes)
{
    setPeriodsIndex(m.periodsIndex);
    txtGameDate->setText(m.gameDate);
    if (!m.gameDate.isEmpty())
        DisplayDate();
    txtGameLoc->setText(m.location);
    chkHomeTeam->setChecked(m.homeTeam);
    FormatHomeTeam();
    for (int i = 0; i < lstGameTypes->count(); ++i) {
        if (lstGameTypes->item(i)->data(Qt::UserRole).toInt() == m.gameType) {
            lstGameTypes->setCurrentRow(i);
            break;
        }
    }
    for (int i = 0; i < 5; ++i)
        txtPeriodScore[size_t(i + 5)]->setText(NumText(m.teamPeriods[size_t(i)]));
    lblGoals[1]->setText(NumText(m.goals));
    for (int i = 0; i < 5; ++i)
        txtPeriodScore[size_t(i)]->setText(NumText(m.opponentPeriods[size_t(i)]));
    lblGoals[0]->setText(NumText(m.oppGoals));
    txtPP->setText(NumText(m.pp));
    txtPPG->setText(NumText(m.ppg));
    txtSH->setText(NumText(m.sh));
    txtKills->setText(NumText(m.kills));
    if (withNotes)
        txtNotes->setPlainText(m.notes);
}

bool frmGameScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && box != txtGameDate) {
            // Numeric boxes: the whole number, however the focus came.
            QTimer::singleShot(0, box, [box] { box->setSelection(0, int(RTrim(box->text()).size())); });
        } else if (watched == txtNotes) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                QTimer::singleShot(0, txtNotes, [this] { txtNotes->selectAll(); });
        }
    } else if (event->type() == QEvent::FocusOut && watched == txtGameDate) {
        DisplayDate();
    }
    return Form::eventFilter(watched, event);
}

}  // namespace vh
