-- The team transfer shell (Export.mdb): the nine tables a transfer file carries,
-- with the field types of the main database and no rows. Declared types as in
-- main.sql.

CREATE TABLE ProgramVersion (
    ProgramVersion FLOAT,
    VersionDate    DATE
);

CREATE TABLE GameTypes (
    GameTypeNumber      SMALLINT,
    GameTypeDescription VARCHAR(25) COLLATE NOCASE
);

CREATE TABLE NameYourOwnCats (
    CategoryType        VARCHAR(1) COLLATE NOCASE,
    CategoryNumber      SMALLINT,
    CategoryDescription VARCHAR(3) COLLATE NOCASE
);

CREATE TABLE Teams (
    TeamNumber     SMALLINT,
    LongTeamName   VARCHAR(50) COLLATE NOCASE,
    ShortTeamName  VARCHAR(20) COLLATE NOCASE,
    ContactPerson  VARCHAR(50) COLLATE NOCASE,
    PhoneNumber    VARCHAR(30) COLLATE NOCASE,
    Email          VARCHAR(70) COLLATE NOCASE,
    notes          LONGTEXT COLLATE NOCASE
);

CREATE TABLE Roster (
    TeamNumber      SMALLINT,
    PersonNumber    SMALLINT,
    PlayerIndicator BOOLEAN,
    UniformNumber   VARCHAR(3) COLLATE NOCASE,
    notes           LONGTEXT(3000) COLLATE NOCASE
);
CREATE INDEX RosterByTeam ON Roster (TeamNumber);

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

CREATE TABLE GameStats (
    TeamNumber          SMALLINT,
    GameNumber          SMALLINT,
    GStatNumber         SMALLINT,
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

CREATE TABLE PlayerStats (
    TeamNumber SMALLINT, GameNumber SMALLINT, PlayerNumber SMALLINT, EventNumber SMALLINT,
    GameType SMALLINT, HomeTeam BOOLEAN, Position SMALLINT,
    Per SMALLINT, Min SMALLINT, Sec SMALLINT, SOG SMALLINT, G SMALLINT, PP SMALLINT, SH SMALLINT,
    GW SMALLINT, GT SMALLINT, EN SMALLINT, OT SMALLINT, UA SMALLINT, Ast SMALLINT, Pen SMALLINT,
    PIM SMALLINT, FOW SMALLINT, FOL SMALLINT, Plus SMALLINT, Minus SMALLINT,
    Unused1 SMALLINT, Unused2 SMALLINT, Unused3 SMALLINT,
    U1 SMALLINT, U2 SMALLINT, U3 SMALLINT, U4 SMALLINT, U5 SMALLINT,
    U6 SMALLINT, U7 SMALLINT, U8 SMALLINT, U9 SMALLINT, U10 SMALLINT,
    notes VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX PlayerStatsByTeam ON PlayerStats (TeamNumber);

CREATE TABLE GoalieStats (
    TeamNumber SMALLINT, GameNumber SMALLINT, PlayerNumber SMALLINT, EventNumber SMALLINT,
    GameType SMALLINT, HomeTeam BOOLEAN,
    Per SMALLINT, Min SMALLINT, Sec SMALLINT, W SMALLINT, L SMALLINT, T SMALLINT,
    G SMALLINT, Ast SMALLINT, Pen SMALLINT, PIM SMALLINT,
    GA1 SMALLINT, GA2 SMALLINT, GA3 SMALLINT, GA4 SMALLINT, GAO SMALLINT,
    Sv1 SMALLINT, Sv2 SMALLINT, Sv3 SMALLINT, Sv4 SMALLINT, SvO SMALLINT, EN SMALLINT,
    Unused1 SMALLINT, Unused2 SMALLINT, Unused3 SMALLINT,
    U1 SMALLINT, U2 SMALLINT, U3 SMALLINT, U4 SMALLINT, U5 SMALLINT,
    U6 SMALLINT, U7 SMALLINT, U8 SMALLINT, U9 SMALLINT, U10 SMALLINT,
    notes VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX GoalieStatsByTeam ON GoalieStats (TeamNumber);
