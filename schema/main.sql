-- The shipped empty database (qn20db.shell): every table of the program, the
-- indexes for the keys it searches by, and the rows a new database carries.
--
-- Declared types tell the database layer how to read and write each field:
--   SMALLINT  Integer, signed 16-bit      INTEGER  Long, signed 32-bit
--   FLOAT     Single                      BOOLEAN  -1 (true) or 0 (false)
--   DATE      ISO date text or Null       VARCHAR(n) text of at most n characters
--   LONGTEXT  Memo, text of at most 65535 characters; LONGTEXT(n) at most n
-- Text is compared without regard to letter case, as users expect of names.

-- Teams, people and rosters ------------------------------------------------

CREATE TABLE Teams (
    TeamNumber     SMALLINT,
    LongTeamName   VARCHAR(50) COLLATE NOCASE,
    ShortTeamName  VARCHAR(20) COLLATE NOCASE,
    ContactPerson  VARCHAR(50) COLLATE NOCASE,
    PhoneNumber    VARCHAR(30) COLLATE NOCASE,
    Email          VARCHAR(70) COLLATE NOCASE,
    notes          LONGTEXT COLLATE NOCASE
);
CREATE INDEX TeamsByNumber ON Teams (TeamNumber);

CREATE TABLE People (
    PersonNumber   SMALLINT,
    FirstName      VARCHAR(20) COLLATE NOCASE,
    LastName       VARCHAR(20) COLLATE NOCASE,
    Address1       VARCHAR(40) COLLATE NOCASE,
    Address2       VARCHAR(40) COLLATE NOCASE,
    City           VARCHAR(20) COLLATE NOCASE,
    State          VARCHAR(20) COLLATE NOCASE,
    Zip            VARCHAR(20) COLLATE NOCASE,
    Country        VARCHAR(255) COLLATE NOCASE,
    HomePhone      VARCHAR(20) COLLATE NOCASE,
    WorkPhone      VARCHAR(20) COLLATE NOCASE,
    FaxNumber      VARCHAR(255) COLLATE NOCASE,
    EmailAddress   VARCHAR(50) COLLATE NOCASE,
    notes          LONGTEXT COLLATE NOCASE,
    BirthDate      DATE
);
CREATE INDEX PeopleByNumber ON People (PersonNumber);

CREATE TABLE Roster (
    TeamNumber      SMALLINT,
    PersonNumber    SMALLINT,
    PlayerIndicator BOOLEAN,
    UniformNumber   VARCHAR(3) COLLATE NOCASE,
    notes           LONGTEXT(3000) COLLATE NOCASE
);
CREATE INDEX RosterByTeam ON Roster (TeamNumber, PersonNumber);
CREATE INDEX RosterByPerson ON Roster (PersonNumber);

-- Games and per-game statistics --------------------------------------------

CREATE TABLE GameStats (
    TeamNumber          SMALLINT,
    GStatNumber         SMALLINT,
    GameNumber          SMALLINT,
    GameDate            DATE,
    GameType            SMALLINT,
    Periods             SMALLINT,
    Location            VARCHAR(30) COLLATE NOCASE,
    HomeTeam            BOOLEAN,
    Opponent            VARCHAR(255) COLLATE NOCASE,
    OpponentTeamNumber  SMALLINT,
    OpponentGStatNumber SMALLINT,
    Goals               SMALLINT,
    GoalsPeriod1        SMALLINT,
    GoalsPeriod2        SMALLINT,
    GoalsPeriod3        SMALLINT,
    GoalsPeriod4        SMALLINT,
    GoalsOT             SMALLINT,
    OppGoals            SMALLINT,
    OppGoalsPeriod1     SMALLINT,
    OppGoalsPeriod2     SMALLINT,
    OppGoalsPeriod3     SMALLINT,
    OppGoalsPeriod4     SMALLINT,
    OppGoalsOT          SMALLINT,
    PP                  SMALLINT,
    PPG                 SMALLINT,
    SH                  SMALLINT,
    Kills               SMALLINT,
    Overtime            BOOLEAN,
    notes               LONGTEXT(2000) COLLATE NOCASE
);
CREATE INDEX GameStatsByTeam ON GameStats (TeamNumber, GameNumber);
CREATE INDEX GameStatsByType ON GameStats (GameType);

CREATE TABLE PlayerStats (
    TeamNumber   SMALLINT,
    GameNumber   SMALLINT,
    PlayerNumber SMALLINT,
    EventNumber  SMALLINT DEFAULT 0,
    GameType     SMALLINT DEFAULT 0,
    HomeTeam     BOOLEAN DEFAULT 0,
    Position     SMALLINT DEFAULT 0,
    Per          SMALLINT DEFAULT 0,
    Min          SMALLINT DEFAULT 0,
    Sec          SMALLINT DEFAULT 0,
    SOG          SMALLINT DEFAULT 0,
    G            SMALLINT DEFAULT 0,
    PP           SMALLINT DEFAULT 0,
    SH           SMALLINT DEFAULT 0,
    GW           SMALLINT DEFAULT 0,
    GT           SMALLINT DEFAULT 0,
    EN           SMALLINT DEFAULT 0,
    OT           SMALLINT DEFAULT 0,
    UA           SMALLINT DEFAULT 0,
    Ast          SMALLINT DEFAULT 0,
    Pen          SMALLINT DEFAULT 0,
    PIM          SMALLINT DEFAULT 0,
    FOW          SMALLINT DEFAULT 0,
    FOL          SMALLINT DEFAULT 0,
    Plus         SMALLINT DEFAULT 0,
    Minus        SMALLINT DEFAULT 0,
    Unused1      SMALLINT DEFAULT 0,
    Unused2      SMALLINT DEFAULT 0,
    Unused3      SMALLINT DEFAULT 0,
    U1           SMALLINT DEFAULT 0,
    U2           SMALLINT DEFAULT 0,
    U3           SMALLINT DEFAULT 0,
    U4           SMALLINT DEFAULT 0,
    U5           SMALLINT DEFAULT 0,
    U6           SMALLINT DEFAULT 0,
    U7           SMALLINT DEFAULT 0,
    U8           SMALLINT DEFAULT 0,
    U9           SMALLINT DEFAULT 0,
    U10          SMALLINT DEFAULT 0,
    notes        VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX PlayerStatsByGame ON PlayerStats (TeamNumber, GameNumber, PlayerNumber);
CREATE INDEX PlayerStatsByPerson ON PlayerStats (PlayerNumber);

CREATE TABLE GoalieStats (
    TeamNumber   SMALLINT,
    GameNumber   SMALLINT,
    PlayerNumber SMALLINT,
    EventNumber  SMALLINT DEFAULT 0,
    GameType     SMALLINT DEFAULT 0,
    HomeTeam     BOOLEAN DEFAULT 0,
    Per          SMALLINT DEFAULT 0,
    Min          SMALLINT DEFAULT 0,
    Sec          SMALLINT DEFAULT 0,
    W            SMALLINT DEFAULT 0,
    L            SMALLINT DEFAULT 0,
    T            SMALLINT DEFAULT 0,
    GA1          SMALLINT DEFAULT 0,
    GA2          SMALLINT DEFAULT 0,
    GA3          SMALLINT DEFAULT 0,
    GA4          SMALLINT DEFAULT 0,
    GAO          SMALLINT DEFAULT 0,
    Sv1          SMALLINT DEFAULT 0,
    Sv2          SMALLINT DEFAULT 0,
    Sv3          SMALLINT DEFAULT 0,
    Sv4          SMALLINT DEFAULT 0,
    SvO          SMALLINT DEFAULT 0,
    G            SMALLINT DEFAULT 0,
    Ast          SMALLINT DEFAULT 0,
    Pen          SMALLINT DEFAULT 0,
    PIM          SMALLINT DEFAULT 0,
    EN           SMALLINT DEFAULT 0,
    Unused1      SMALLINT DEFAULT 0,
    Unused2      SMALLINT DEFAULT 0,
    Unused3      SMALLINT DEFAULT 0,
    U1           SMALLINT DEFAULT 0,
    U2           SMALLINT DEFAULT 0,
    U3           SMALLINT DEFAULT 0,
    U4           SMALLINT DEFAULT 0,
    U5           SMALLINT DEFAULT 0,
    U6           SMALLINT DEFAULT 0,
    U7           SMALLINT DEFAULT 0,
    U8           SMALLINT DEFAULT 0,
    U9           SMALLINT DEFAULT 0,
    U10          SMALLINT DEFAULT 0,
    notes        VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX GoalieStatsByGame ON GoalieStats (TeamNumber, GameNumber, PlayerNumber);
CREATE INDEX GoalieStatsByPerson ON GoalieStats (PlayerNumber);

-- Filters -------------------------------------------------------------------

CREATE TABLE Filters (
    FilterNumber SMALLINT,
    FilterName   VARCHAR(50) COLLATE NOCASE
);
CREATE INDEX FiltersByNumber ON Filters (FilterNumber);

CREATE TABLE TeamFilters (
    FilterNumber SMALLINT,
    TeamNumber   SMALLINT
);
CREATE INDEX TeamFiltersByFilter ON TeamFilters (FilterNumber, TeamNumber);
CREATE INDEX TeamFiltersByTeam ON TeamFilters (TeamNumber);

-- Configuration -------------------------------------------------------------

CREATE TABLE NameYourOwnCats (
    CategoryType        VARCHAR(1) COLLATE NOCASE,
    CategoryNumber      SMALLINT,
    CategoryDescription VARCHAR(3) COLLATE NOCASE
);
CREATE INDEX NameYourOwnCatsByKey ON NameYourOwnCats (CategoryType, CategoryNumber);

CREATE TABLE GameTypes (
    GameTypeNumber      SMALLINT,
    GameTypeDescription VARCHAR(25) COLLATE NOCASE
);
CREATE INDEX GameTypesByNumber ON GameTypes (GameTypeNumber);

CREATE TABLE InputOrder (
    CategoryType   VARCHAR(1) COLLATE NOCASE,
    OrderNumber    SMALLINT,
    CategoryNumber SMALLINT
);
CREATE INDEX InputOrderByKey ON InputOrder (CategoryType, OrderNumber);

CREATE TABLE ReportNumber (
    ReportType   VARCHAR(1) COLLATE NOCASE,
    ReportNumber SMALLINT
);

CREATE TABLE PlayerRptFormat (
    ReportNumber      SMALLINT,
    ReportDescription VARCHAR(25) COLLATE NOCASE,
    SortCategory      SMALLINT,
    SortDirection     VARCHAR(1) COLLATE NOCASE
);
CREATE INDEX PlayerRptFormatByNumber ON PlayerRptFormat (ReportNumber);

CREATE TABLE GoalieRptFormat (
    ReportNumber      SMALLINT,
    ReportDescription VARCHAR(25) COLLATE NOCASE,
    SortCategory      SMALLINT,
    SortDirection     VARCHAR(1) COLLATE NOCASE
);
CREATE INDEX GoalieRptFormatByNumber ON GoalieRptFormat (ReportNumber);

CREATE TABLE PlayerRptCats (
    ReportNumber   SMALLINT,
    ReportOrder    SMALLINT,
    CategoryNumber SMALLINT
);
CREATE INDEX PlayerRptCatsByKey ON PlayerRptCats (ReportNumber, ReportOrder);

CREATE TABLE GoalieRptCats (
    ReportNumber   SMALLINT,
    ReportOrder    SMALLINT,
    CategoryNumber SMALLINT
);
CREATE INDEX GoalieRptCatsByKey ON GoalieRptCats (ReportNumber, ReportOrder);

CREATE TABLE NumberOptions (
    OptionNumber SMALLINT,
    Option       SMALLINT
);

CREATE TABLE CompactCount (
    CompactCounter SMALLINT
);

CREATE TABLE ProgramVersion (
    ProgramVersion FLOAT,
    VersionDate    DATE
);

-- Report work tables --------------------------------------------------------

CREATE TABLE RptPlayer (
    SortKey      SMALLINT,
    TeamNumber   INTEGER,
    PlayerNumber INTEGER,
    PlayerName   VARCHAR(255) COLLATE NOCASE,
    TeamName     VARCHAR(255) COLLATE NOCASE,
    Opponent     VARCHAR(255) COLLATE NOCASE,
    GP VARCHAR(255), Per VARCHAR(255), Min VARCHAR(255), SOG VARCHAR(255), G VARCHAR(255),
    PP VARCHAR(255), SH VARCHAR(255), GW VARCHAR(255), GT VARCHAR(255), EN VARCHAR(255),
    OT VARCHAR(255), UA VARCHAR(255), Hat VARCHAR(255), ShPct VARCHAR(255), Ast VARCHAR(255),
    Pts VARCHAR(255), PPG VARCHAR(255), Pen VARCHAR(255), PIM VARCHAR(255), FOW VARCHAR(255),
    FOL VARCHAR(255), FOPct VARCHAR(255), PlusMinus VARCHAR(255),
    User1 VARCHAR(255), User2 VARCHAR(255), User3 VARCHAR(255), User4 VARCHAR(255), User5 VARCHAR(255)
);

CREATE TABLE RptGoalie (
    SortKey      SMALLINT,
    TeamNumber   INTEGER,
    PlayerNumber INTEGER,
    PlayerName   VARCHAR(255) COLLATE NOCASE,
    TeamName     VARCHAR(255) COLLATE NOCASE,
    Opponent     VARCHAR(255) COLLATE NOCASE,
    GP VARCHAR(255), Per VARCHAR(255), Min VARCHAR(255), W VARCHAR(255), L VARCHAR(255), T VARCHAR(255),
    GA1 VARCHAR(255), GA2 VARCHAR(255), GA3 VARCHAR(255), GA4 VARCHAR(255), GAO VARCHAR(255), GA VARCHAR(255),
    Sv1 VARCHAR(255), Sv2 VARCHAR(255), Sv3 VARCHAR(255), Sv4 VARCHAR(255), SvO VARCHAR(255), Sv VARCHAR(255),
    G VARCHAR(255), Ast VARCHAR(255), Pen VARCHAR(255), PIM VARCHAR(255), EN VARCHAR(255),
    SvPct VARCHAR(255), GAA VARCHAR(255),
    User1 VARCHAR(255), User2 VARCHAR(255), User3 VARCHAR(255), User4 VARCHAR(255), User5 VARCHAR(255)
);

-- The team reports' work tables number their rows in 32 bits: a long roster
-- report passes 32767 lines.
CREATE TABLE RptRecord (
    SortKey             INTEGER,
    TeamNumber          SMALLINT,
    GameType            SMALLINT,
    GameTypeDescription VARCHAR(255),
    GamesWon            VARCHAR(255),
    GamesLost           VARCHAR(255),
    GamesTied           VARCHAR(255),
    WinPct              VARCHAR(255),
    GoalsFor            VARCHAR(255),
    GoalsAgainst        VARCHAR(255),
    Points              VARCHAR(255)
);

CREATE TABLE RptStandings (
    SortKey      INTEGER,
    TeamNumber   INTEGER,
    TeamName     VARCHAR(255),
    GamesWon     VARCHAR(255),
    GamesLost    VARCHAR(255),
    GamesTied    VARCHAR(255),
    Streak       VARCHAR(255),
    WinPct       VARCHAR(255),
    GoalsFor     VARCHAR(255),
    GoalsAgainst VARCHAR(255),
    Points       VARCHAR(255)
);

CREATE TABLE RptScores (
    SortKey INTEGER,
    Col1 VARCHAR(255), Col2 VARCHAR(255), Col3 VARCHAR(255), Col4 VARCHAR(255), Col5 VARCHAR(255),
    Col6 VARCHAR(255), Col7 VARCHAR(255), Col8 VARCHAR(255), Col9 VARCHAR(255), Col10 VARCHAR(255),
    Col11 VARCHAR(255)
);

CREATE TABLE RptTeamScores (
    SortKey INTEGER,
    Col1 VARCHAR(255), Col2 VARCHAR(255), Col3 VARCHAR(255), Col4 VARCHAR(255), Col5 VARCHAR(255),
    Col6 VARCHAR(255), Col7 VARCHAR(255), Col8 VARCHAR(255), Col9 VARCHAR(255), Col10 VARCHAR(255)
);

CREATE TABLE RptRoster (
    SortKey INTEGER,
    Text    VARCHAR(255)
);

-- Shipped rows --------------------------------------------------------------

-- The nineteen options: show filters, periods on a new game, show toolbar,
-- name format, show player number, show commas, show "na", statistics hint,
-- warn on goals for and against, standings points (regulation win, loss, tie;
-- overtime win, loss, tie), show player and goalie seconds, minutes per game.
INSERT INTO NumberOptions (OptionNumber, Option) VALUES
    (1, -1), (2, 3), (3, -1), (4, 0), (5, 0), (6, -1), (7, -1), (8, -1), (9, -1), (10, -1),
    (11, 2), (12, 0), (13, 1), (14, 2), (15, 0), (16, 1), (17, 0), (18, 0), (19, 60);

INSERT INTO CompactCount (CompactCounter) VALUES (0);

INSERT INTO ProgramVersion (ProgramVersion, VersionDate) VALUES (2, '2026-06-01');

-- Report formats: the standard report of each kind (the format editor's default
-- line) and a short summary, with the standard one chosen.
INSERT INTO PlayerRptFormat (ReportNumber, ReportDescription, SortCategory, SortDirection) VALUES
    (1, 'Standard Player Report', 17, 'D'),
    (2, 'Scoring Leaders', 16, 'D');
INSERT INTO PlayerRptCats (ReportNumber, ReportOrder, CategoryNumber) VALUES
    (1, 1, 1), (1, 2, 3), (1, 3, 4), (1, 4, 5), (1, 5, 6), (1, 6, 7), (1, 7, 8), (1, 8, 10), (1, 9, 11),
    (1, 10, 12), (1, 11, 13), (1, 12, 14), (1, 13, 15), (1, 14, 18), (1, 15, 19), (1, 16, 16), (1, 17, 17),
    (2, 1, 1), (2, 2, 5), (2, 3, 15), (2, 4, 16), (2, 5, 17), (2, 6, 19), (2, 7, 23);

INSERT INTO GoalieRptFormat (ReportNumber, ReportDescription, SortCategory, SortDirection) VALUES
    (1, 'Standard Goalie Report', 25, 'A'),
    (2, 'Goaltending Summary', 25, 'A');
INSERT INTO GoalieRptCats (ReportNumber, ReportOrder, CategoryNumber) VALUES
    (1, 1, 1), (1, 2, 2), (1, 3, 3), (1, 4, 4), (1, 5, 5), (1, 6, 6), (1, 7, 7), (1, 8, 13), (1, 9, 8),
    (1, 10, 14), (1, 11, 9), (1, 12, 15), (1, 13, 11), (1, 14, 17), (1, 15, 12), (1, 16, 18), (1, 17, 24),
    (1, 18, 25),
    (2, 1, 1), (2, 2, 3), (2, 3, 4), (2, 4, 5), (2, 5, 6), (2, 6, 12), (2, 7, 18), (2, 8, 24), (2, 9, 25);

INSERT INTO ReportNumber (ReportType, ReportNumber) VALUES ('P', 1), ('G', 1);
