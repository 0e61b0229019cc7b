-- Tables of Depr.mdb.
--
-- The declared type of a column is what the program's recordsets report as the field's data type, so it follows
-- the Jet types the program was written against:
--   SMALLINT  16-bit integer        LONG      32-bit integer       INTEGER  key (32-bit)
--   DOUBLE    double precision      DATETIME  'YYYY-MM-DD' text    YESNO    0 or 1
--   VARCHAR(n) text of at most n characters (the size table maintenance takes as the field length)
--   MEMO TEXT free text of any length; the trailing TEXT keeps SQLite from turning a numeric-looking note
--             ("00123", "1.50") into a number
-- Text compares without regard to letter case, as Jet did, hence COLLATE NOCASE on every text column.
-- Keys are INTEGER PRIMARY KEY AUTOINCREMENT: a number once handed out is never used again, also after a delete.
-- Table maintenance writes the fractional numbers of its tables between apostrophes, as the user typed them. A text
-- that is no number ('', '3,060') must fail the statement, as Jet refused it, rather than be kept as text that every
-- later reader of the column trips over; hence the "must be a number" checks.
-- SMALLINT and LONG columns take only whole numbers of their size ("must be a whole number from ... to ..."). Jet
-- converted 2008.0 or '2008' to 2008 and refused 2008.5 or 99999 in a 16-bit field; SQLite would keep such a value
-- as typed, and a year of 2008.5 then silently drops out of every "Year = 2008" lookup. The column's affinity still
-- turns 2008.0 and '2008' into the integer 2008 before the check sees it.

-- One row per fixed asset.
CREATE TABLE tblAssets (
    Asset_num           INTEGER PRIMARY KEY AUTOINCREMENT,
    Company_Id          LONG NOT NULL
                        CONSTRAINT [Company_Id must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(Company_Id) = 'integer' AND Company_Id BETWEEN -2147483648 AND 2147483647),
    Asset_name          VARCHAR(50) COLLATE NOCASE,
    Cost                DOUBLE,
    [Allowance 30 %]    DOUBLE,
    [179_deduction]     DOUBLE,
    In_Service_date     DATETIME NOT NULL
                        CHECK (typeof(In_Service_date) = 'text'
                               AND In_Service_date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'
                               AND date(In_Service_date, '+0 days') IS In_Service_date),
    depr_method         LONG
                        CONSTRAINT [depr_method must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(depr_method) IN ('integer', 'null') AND depr_method BETWEEN -2147483648 AND 2147483647),
    life                DOUBLE,
    convention          SMALLINT
                        CONSTRAINT [convention must be a whole number from -32768 to 32767]
                        CHECK (typeof(convention) IN ('integer', 'null') AND convention BETWEEN -32768 AND 32767),
    other_deductions    DOUBLE,
    bussiness_percent   DOUBLE,
    -- 1900-01-01 stands for "not disposed of"; every query relies on a date being there.
    sold_date           DATETIME NOT NULL DEFAULT '1900-01-01'
                        CHECK (typeof(sold_date) = 'text'
                               AND sold_date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'
                               AND date(sold_date, '+0 days') IS sold_date),
    sold_amt            DOUBLE,
    notes               MEMO TEXT COLLATE NOCASE,
    depr_class_id       LONG
                        CONSTRAINT [depr_class_id must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(depr_class_id) IN ('integer', 'null') AND depr_class_id BETWEEN -2147483648 AND 2147483647),
    life_id             LONG
                        CONSTRAINT [life_id must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(life_id) IN ('integer', 'null') AND life_id BETWEEN -2147483648 AND 2147483647),
    amortize_code       SMALLINT
                        CONSTRAINT [amortize_code must be a whole number from -32768 to 32767]
                        CHECK (typeof(amortize_code) IN ('integer', 'null') AND amortize_code BETWEEN -32768 AND 32767),
    vehicle_num         SMALLINT
                        CONSTRAINT [vehicle_num must be a whole number from -32768 to 32767]
                        CHECK (typeof(vehicle_num) IN ('integer', 'null') AND vehicle_num BETWEEN -32768 AND 32767),
    actual_method       VARCHAR(10) COLLATE NOCASE,
    Type_179            YESNO NOT NULL DEFAULT 0 CHECK (Type_179 IN (0, 1)),
    -- Written only when the asset is disposed of; 0 until then.
    gain_loss           DOUBLE DEFAULT 0
);
CREATE INDEX idxAssetsCompany ON tblAssets (Company_Id);

-- One row per asset and tax year; no key. The calculation always deletes an asset's rows before it writes them.
CREATE TABLE tblDepr (
    client_num          LONG NOT NULL
                        CONSTRAINT [client_num must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(client_num) = 'integer' AND client_num BETWEEN -2147483648 AND 2147483647),
    asset_num           LONG NOT NULL
                        CONSTRAINT [asset_num must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(asset_num) = 'integer' AND asset_num BETWEEN -2147483648 AND 2147483647),
    year                SMALLINT NOT NULL
                        CONSTRAINT [year must be a whole number from -32768 to 32767]
                        CHECK (typeof(year) = 'integer' AND year BETWEEN -32768 AND 32767),
    depr                DOUBLE,
    accum_depr          DOUBLE
);
-- An asset's rows in year order with their amounts: the worksheets and the schedule read them from the index alone.
CREATE INDEX idxDeprAsset ON tblDepr (asset_num, year, depr, accum_depr);
-- A company's rows of a year in asset order, with their amounts: Form 4562 and the reports join them to their
-- assets and add up the amounts from the index alone.
CREATE INDEX idxDeprClientYearAsset ON tblDepr (client_num, year, asset_num, depr);

CREATE TABLE tblCompany (
    id                  INTEGER PRIMARY KEY AUTOINCREMENT,
    [Company Name]      VARCHAR(50) COLLATE NOCASE,
    Owner               VARCHAR(50) COLLATE NOCASE,
    Address             VARCHAR(50) COLLATE NOCASE,
    [Address 2]         VARCHAR(50) COLLATE NOCASE,
    City                VARCHAR(50) COLLATE NOCASE,
    State               VARCHAR(2) COLLATE NOCASE,
    [Zip Code]          VARCHAR(10) COLLATE NOCASE,
    [Tax Id]            VARCHAR(11) COLLATE NOCASE
);

-- Fixed rows; table maintenance writes the ids MACRS 1, ADS 2, Amortize 3 and Listed 9 into asset classes.
CREATE TABLE tblDeprMethods (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    Method              VARCHAR(8) NOT NULL UNIQUE COLLATE NOCASE
);

-- Fixed rows: 1 half-year, 2 mid-quarter, 3 mid-month, 4 none.
CREATE TABLE tblConvention (
    id                  SMALLINT PRIMARY KEY CHECK (typeof(id) = 'integer' AND id BETWEEN 1 AND 4),
    Abbreviation        VARCHAR(2) NOT NULL COLLATE NOCASE
);

-- Recovery periods offered per method. The asset form stores the position of the chosen life in this list, which
-- is read in ascending order of life.
CREATE TABLE tblLives (
    Type                VARCHAR(8) NOT NULL COLLATE NOCASE,
    Life                DOUBLE NOT NULL,
    Method              VARCHAR(8) NOT NULL COLLATE NOCASE,
    UNIQUE (Type, Life)
);

-- Asset classes. The asset form builds its class list by concatenating these columns, so none may be Null.
CREATE TABLE tblDeprClass (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    Method_ID           LONG NOT NULL
                        CONSTRAINT [Method_ID must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(Method_ID) = 'integer' AND Method_ID BETWEEN -2147483648 AND 2147483647),
    Description         VARCHAR(50) NOT NULL COLLATE NOCASE,
    Life                DOUBLE NOT NULL
                        CONSTRAINT [Life must be a number] CHECK (typeof(Life) IN ('integer', 'real')),
    [If Auto - Type]    VARCHAR(9) NOT NULL DEFAULT 'N/A' COLLATE NOCASE,
    [Amortize #]        SMALLINT NOT NULL DEFAULT 0
                        CONSTRAINT [Amortize # must be a whole number from -32768 to 32767]
                        CHECK (typeof([Amortize #]) = 'integer' AND [Amortize #] BETWEEN -32768 AND 32767)
);

-- Section 179 limits per tax year.
CREATE TABLE tblMax179 (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    Year                SMALLINT NOT NULL UNIQUE
                        CONSTRAINT [Year must be a whole number from -32768 to 32767]
                        CHECK (typeof(Year) = 'integer' AND Year BETWEEN -32768 AND 32767),
    [Maximum Amount]    DOUBLE DEFAULT 0
                        CONSTRAINT [Maximum Amount must be a number] CHECK (typeof([Maximum Amount]) IN ('integer', 'real', 'null')),
    [Threshold Cost]    DOUBLE DEFAULT 0
                        CONSTRAINT [Threshold Cost must be a number] CHECK (typeof([Threshold Cost]) IN ('integer', 'real', 'null'))
);

-- Passenger automobile limits per tax year and vehicle type ("Gas", "Electric", "Truck/Van"). A 0 in one of the
-- first-year-with-allowance columns means that year has no limit of its own for that allowance.
CREATE TABLE tblMaxAuto (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    Year                SMALLINT NOT NULL
                        CONSTRAINT [Year must be a whole number from -32768 to 32767]
                        CHECK (typeof(Year) = 'integer' AND Year BETWEEN -32768 AND 32767),
    Type                VARCHAR(9) NOT NULL COLLATE NOCASE,
    [Yr 1 + 30%]        DOUBLE DEFAULT 0
                        CONSTRAINT [Yr 1 + 30% must be a number] CHECK (typeof([Yr 1 + 30%]) IN ('integer', 'real', 'null')),
    [Yr 1 + 50%]        DOUBLE DEFAULT 0
                        CONSTRAINT [Yr 1 + 50% must be a number] CHECK (typeof([Yr 1 + 50%]) IN ('integer', 'real', 'null')),
    [Max Year 1]        DOUBLE DEFAULT 0
                        CONSTRAINT [Max Year 1 must be a number] CHECK (typeof([Max Year 1]) IN ('integer', 'real', 'null')),
    [Max Year 2]        DOUBLE DEFAULT 0
                        CONSTRAINT [Max Year 2 must be a number] CHECK (typeof([Max Year 2]) IN ('integer', 'real', 'null')),
    [Max Year 3]        DOUBLE DEFAULT 0
                        CONSTRAINT [Max Year 3 must be a number] CHECK (typeof([Max Year 3]) IN ('integer', 'real', 'null')),
    [Max Year 4]        DOUBLE DEFAULT 0
                        CONSTRAINT [Max Year 4 must be a number] CHECK (typeof([Max Year 4]) IN ('integer', 'real', 'null')),
    UNIQUE (Year, Type)
);

-- Form 4562 inputs per company and tax year. Storing the section 179 carry-over creates a row with only that
-- column, so every other column has a default the form can use.
CREATE TABLE tblMisc4562Data (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    Company_Id          LONG NOT NULL
                        CONSTRAINT [Company_Id must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof(Company_Id) = 'integer' AND Company_Id BETWEEN -2147483648 AND 2147483647),
    Year                SMALLINT NOT NULL
                        CONSTRAINT [Year must be a whole number from -32768 to 32767]
                        CHECK (typeof(Year) = 'integer' AND Year BETWEEN -32768 AND 32767),
    [179 Carryover]     LONG DEFAULT 0
                        CONSTRAINT [179 Carryover must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof([179 Carryover]) IN ('integer', 'null') AND [179 Carryover] BETWEEN -2147483648 AND 2147483647),
    [179 Income Limit]  LONG DEFAULT 0
                        CONSTRAINT [179 Income Limit must be a whole number from -2147483648 to 2147483647]
                        CHECK (typeof([179 Income Limit]) IN ('integer', 'null') AND [179 Income Limit] BETWEEN -2147483648 AND 2147483647),
    [Listed Claim]      YESNO NOT NULL DEFAULT 0 CHECK ([Listed Claim] IN (0, 1)),
    [Listed Evidence]   YESNO NOT NULL DEFAULT 0 CHECK ([Listed Evidence] IN (0, 1)),
    [Group Assets]      YESNO NOT NULL DEFAULT 0 CHECK ([Group Assets] IN (0, 1)),
    [168 Property]      DOUBLE DEFAULT 0
                        CONSTRAINT [168 Property must be a number] CHECK (typeof([168 Property]) IN ('integer', 'real', 'null')),
    [Other Depr]        DOUBLE DEFAULT 0
                        CONSTRAINT [Other Depr must be a number] CHECK (typeof([Other Depr]) IN ('integer', 'real', 'null')),
    [263A Cost]         DOUBLE DEFAULT 0
                        CONSTRAINT [263A Cost must be a number] CHECK (typeof([263A Cost]) IN ('integer', 'real', 'null')),
    [Exclude 179]       YESNO NOT NULL DEFAULT 0 CHECK ([Exclude 179] IN (0, 1)),
    UNIQUE (Company_Id, Year)
);

-- Program settings: exactly one row, which the program only reads and updates.
CREATE TABLE tblDefaults (
    DefaultYear         SMALLINT
                        CONSTRAINT [DefaultYear must be a whole number from -32768 to 32767]
                        CHECK (typeof(DefaultYear) IN ('integer', 'null') AND DefaultYear BETWEEN -32768 AND 32767),
    StartUp_Help        YESNO NOT NULL DEFAULT 0 CHECK (StartUp_Help IN (0, 1)),
    ShowCompany         YESNO NOT NULL DEFAULT 0 CHECK (ShowCompany IN (0, 1))
);
CREATE TRIGGER trgDefaultsOneRowInsert BEFORE INSERT ON tblDefaults
    WHEN (SELECT count(*) FROM tblDefaults) > 0
BEGIN
    SELECT RAISE(ABORT, 'tblDefaults holds exactly one row');
END;
CREATE TRIGGER trgDefaultsOneRowDelete BEFORE DELETE ON tblDefaults
BEGIN
    SELECT RAISE(ABORT, 'tblDefaults holds exactly one row');
END;

-- Vehicle use per company, tax year and vehicle. Miles are kept as the text the user typed.
CREATE TABLE tblAutoUse (
    Company_Id                          LONG NOT NULL
                                        CONSTRAINT [Company_Id must be a whole number from -2147483648 to 2147483647]
                                        CHECK (typeof(Company_Id) = 'integer' AND Company_Id BETWEEN -2147483648 AND 2147483647),
    year                                SMALLINT NOT NULL
                                        CONSTRAINT [year must be a whole number from -32768 to 32767]
                                        CHECK (typeof(year) = 'integer' AND year BETWEEN -32768 AND 32767),
    [Vehicle #]                         SMALLINT NOT NULL
                                        CONSTRAINT [Vehicle # must be a whole number from -32768 to 32767]
                                        CHECK (typeof([Vehicle #]) = 'integer' AND [Vehicle #] BETWEEN -32768 AND 32767),
    [Business Miles]                    VARCHAR(10) COLLATE NOCASE,
    [Commuting Miles]                   VARCHAR(10) COLLATE NOCASE,
    [Personal Miles]                    VARCHAR(10) COLLATE NOCASE,
    [Available Personal Use off Hours]  YESNO DEFAULT 0 CHECK ([Available Personal Use off Hours] IN (0, 1)),
    [Driver 5 percent Owner]            YESNO DEFAULT 0 CHECK ([Driver 5 percent Owner] IN (0, 1)),
    [Another Car Available]             YESNO DEFAULT 0 CHECK ([Another Car Available] IN (0, 1)),
    UNIQUE (Company_Id, year, [Vehicle #])
);

-- The employer questionnaire per company and tax year.
CREATE TABLE tblAutoQuestions (
    Company_Id                  LONG NOT NULL
                                CONSTRAINT [Company_Id must be a whole number from -2147483648 to 2147483647]
                                CHECK (typeof(Company_Id) = 'integer' AND Company_Id BETWEEN -2147483648 AND 2147483647),
    year                        SMALLINT NOT NULL
                                CONSTRAINT [year must be a whole number from -32768 to 32767]
                                CHECK (typeof(year) = 'integer' AND year BETWEEN -32768 AND 32767),
    [No Personal Use]           YESNO DEFAULT 0 CHECK ([No Personal Use] IN (0, 1)),
    [Commuting Allowed]         YESNO DEFAULT 0 CHECK ([Commuting Allowed] IN (0, 1)),
    [All Personal Use]          YESNO DEFAULT 0 CHECK ([All Personal Use] IN (0, 1)),
    [More 5 Cars & keep Track]  YESNO DEFAULT 0 CHECK ([More 5 Cars & keep Track] IN (0, 1)),
    [Meet Requirements]         YESNO DEFAULT 0 CHECK ([Meet Requirements] IN (0, 1)),
    UNIQUE (Company_Id, year)
);

-- Scratch table of the vehicle-use report, rebuilt by each run. The report reads its columns by position, so
-- their order is part of the report's layout: description, vehicle number, company (hidden), the three mileages,
-- the three answers, then business share and the has-use-data flag (both hidden). Miles are numbers here so the
-- report formats them as such; rows without use data keep Display_Data 0 and show no answers. The miles take any
-- number (a fraction typed as miles must not fail the report), unlike the other whole-number columns.
CREATE TABLE tblAutoUseReport (
    Description             VARCHAR(50) COLLATE NOCASE,
    [Vehicle #]             SMALLINT
                            CONSTRAINT [Vehicle # must be a whole number from -32768 to 32767]
                            CHECK (typeof([Vehicle #]) IN ('integer', 'null') AND [Vehicle #] BETWEEN -32768 AND 32767),
    Company_Id              LONG
                            CONSTRAINT [Company_Id must be a whole number from -2147483648 to 2147483647]
                            CHECK (typeof(Company_Id) IN ('integer', 'null') AND Company_Id BETWEEN -2147483648 AND 2147483647),
    [Business Miles]        LONG,
    [Commuting Miles]       LONG,
    [Personal Miles]        LONG,
    [Available Personal]    YESNO CHECK ([Available Personal] IN (0, 1)),
    [5 % Owner]             YESNO CHECK ([5 % Owner] IN (0, 1)),
    [Another Car]           YESNO CHECK ([Another Car] IN (0, 1)),
    Business_Percent        DOUBLE,
    Display_Data            YESNO NOT NULL DEFAULT 0 CHECK (Display_Data IN (0, 1))
);

-- MACRS percentage tables (general depreciation system), one per convention: half-year, and mid-quarter by the
-- quarter the asset was placed in service. One row per recovery year (RecYear 1 to 21), one column per recovery
-- period; a cell is the year's rate as a fraction of the basis, 0 where the period has no such year.
CREATE TABLE tblMacrsHalf (
    RecYear     INTEGER PRIMARY KEY,
    Half3       DOUBLE NOT NULL DEFAULT 0,
    Half5       DOUBLE NOT NULL DEFAULT 0,
    Half7       DOUBLE NOT NULL DEFAULT 0,
    Half10      DOUBLE NOT NULL DEFAULT 0,
    Half15      DOUBLE NOT NULL DEFAULT 0,
    Half20      DOUBLE NOT NULL DEFAULT 0
);
CREATE TABLE tblMacrsMid1Qtr (
    RecYear     INTEGER PRIMARY KEY,
    Mid1Qtr3    DOUBLE NOT NULL DEFAULT 0,
    Mid1Qtr5    DOUBLE NOT NULL DEFAULT 0,
    Mid1Qtr7    DOUBLE NOT NULL DEFAULT 0,
    Mid1Qtr10   DOUBLE NOT NULL DEFAULT 0,
    Mid1Qtr15   DOUBLE NOT NULL DEFAULT 0,
    Mid1Qtr20   DOUBLE NOT NULL DEFAULT 0
);
CREATE TABLE tblMacrsMid2Qtr (
    RecYear     INTEGER PRIMARY KEY,
    Mid2Qtr3    DOUBLE NOT NULL DEFAULT 0,
    Mid2Qtr5    DOUBLE NOT NULL DEFAULT 0,
    Mid2Qtr7    DOUBLE NOT NULL DEFAULT 0,
    Mid2Qtr10   DOUBLE NOT NULL DEFAULT 0,
    Mid2Qtr15   DOUBLE NOT NULL DEFAULT 0,
    Mid2Qtr20   DOUBLE NOT NULL DEFAULT 0
);
CREATE TABLE tblMacrsMid3Qtr (
    RecYear     INTEGER PRIMARY KEY,
    Mid3Qtr3    DOUBLE NOT NULL DEFAULT 0,
    Mid3Qtr5    DOUBLE NOT NULL DEFAULT 0,
    Mid3Qtr7    DOUBLE NOT NULL DEFAULT 0,
    Mid3Qtr10   DOUBLE NOT NULL DEFAULT 0,
    Mid3Qtr15   DOUBLE NOT NULL DEFAULT 0,
    Mid3Qtr20   DOUBLE NOT NULL DEFAULT 0
);
CREATE TABLE tblMacrsMid4Qtr (
    RecYear     INTEGER PRIMARY KEY,
    Mid4Qtr3    DOUBLE NOT NULL DEFAULT 0,
    Mid4Qtr5    DOUBLE NOT NULL DEFAULT 0,
    Mid4Qtr7    DOUBLE NOT NULL DEFAULT 0,
    Mid4Qtr10   DOUBLE NOT NULL DEFAULT 0,
    Mid4Qtr15   DOUBLE NOT NULL DEFAULT 0,
    Mid4Qtr20   DOUBLE NOT NULL DEFAULT 0
);
