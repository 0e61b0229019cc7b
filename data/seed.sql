-- Rows the shipped database starts with. The MACRS percentages, section 179 limits and vehicle limits come from
-- the files in reference/ and are loaded by the build tool after this script.

-- The method ids are fixed: asset classes store them, and table maintenance writes MACRS 1, ADS 2, Amortize 3 and
-- Listed 9.
INSERT INTO tblDeprMethods (ID, Method) VALUES
    (1, 'MACRS'),
    (2, 'ADS'),
    (3, 'Amortize'),
    (4, 'S/L'),
    (9, 'Listed');

-- Reports and Form 4562 show the abbreviation; a method without a convention shows a blank, as the printed asset
-- detail does.
INSERT INTO tblConvention (id, Abbreviation) VALUES
    (1, 'HY'),
    (2, 'MQ'),
    (3, 'MM'),
    (4, ' ');

-- Lives offered per method, each method's rows in ascending order (the asset form keeps the position of the chosen
-- life). MACRS offers exactly the lives the asset form accepts. Listed property is computed from the MACRS tables, so
-- it offers only the periods those tables have. ADS, S/L and Amortize are computed over whole years, so they offer
-- whole years only. Method is the label the 50-year report shows.
INSERT INTO tblLives (Type, Life, Method) VALUES
    ('MACRS', 3, '200DB'),
    ('MACRS', 5, '200DB'),
    ('MACRS', 7, '200DB'),
    ('MACRS', 10, '200DB'),
    ('MACRS', 15, '150DB'),
    ('MACRS', 20, '150DB'),
    ('MACRS', 27.5, 'S/L'),
    ('MACRS', 31.5, 'S/L'),
    ('MACRS', 39, 'S/L'),
    ('MACRS', 50, 'S/L'),
    ('Listed', 3, '200DB'),
    ('Listed', 5, '200DB'),
    ('Listed', 7, '200DB'),
    ('Listed', 10, '200DB'),
    ('Listed', 15, '150DB'),
    ('Listed', 20, '150DB'),
    ('ADS', 3, 'S/L'),
    ('ADS', 4, 'S/L'),
    ('ADS', 5, 'S/L'),
    ('ADS', 6, 'S/L'),
    ('ADS', 7, 'S/L'),
    ('ADS', 8, 'S/L'),
    ('ADS', 9, 'S/L'),
    ('ADS', 10, 'S/L'),
    ('ADS', 12, 'S/L'),
    ('ADS', 15, 'S/L'),
    ('ADS', 20, 'S/L'),
    ('ADS', 25, 'S/L'),
    ('ADS', 30, 'S/L'),
    ('ADS', 35, 'S/L'),
    ('ADS', 40, 'S/L'),
    ('ADS', 50, 'S/L'),
    ('Amortize', 5, 'Amortize'),
    ('Amortize', 15, 'Amortize');
-- S/L: every whole year from 3 to 40.
WITH RECURSIVE years(n) AS (SELECT 3 UNION ALL SELECT n + 1 FROM years WHERE n < 40)
INSERT INTO tblLives (Type, Life, Method) SELECT 'S/L', n, 'S/L' FROM years ORDER BY n;

-- Recovery years 1 to 21 of every rate table, all rates 0 until the percentages are loaded.
WITH RECURSIVE years(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM years WHERE n < 21)
INSERT INTO tblMacrsHalf (RecYear) SELECT n FROM years;
WITH RECURSIVE years(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM years WHERE n < 21)
INSERT INTO tblMacrsMid1Qtr (RecYear) SELECT n FROM years;
WITH RECURSIVE years(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM years WHERE n < 21)
INSERT INTO tblMacrsMid2Qtr (RecYear) SELECT n FROM years;
WITH RECURSIVE years(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM years WHERE n < 21)
INSERT INTO tblMacrsMid3Qtr (RecYear) SELECT n FROM years;
WITH RECURSIVE years(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM years WHERE n < 21)
INSERT INTO tblMacrsMid4Qtr (RecYear) SELECT n FROM years;

INSERT INTO tblCompany (id, [Company Name]) VALUES (1, 'Sample Company');

INSERT INTO tblDefaults (DefaultYear, StartUp_Help, ShowCompany) VALUES (2026, 1, 1);

-- A starter set of asset classes (method ids as above). Vehicles are listed property; section 197 intangibles are
-- amortized under code section 197.
INSERT INTO tblDeprClass (Method_ID, Description, Life, [If Auto - Type], [Amortize #]) VALUES
    (1, 'Computers and peripheral equipment', 5, 'N/A', 0),
    (1, 'Office furniture and fixtures', 7, 'N/A', 0),
    (9, 'Automobiles', 5, 'Gas', 0),
    (9, 'Light trucks and vans', 5, 'Truck/Van', 0),
    (1, 'Land improvements', 15, 'N/A', 0),
    (1, 'Residential rental property', 27.5, 'N/A', 0),
    (1, 'Nonresidential real property', 39, 'N/A', 0),
    (3, 'Section 197 intangibles', 15, 'N/A', 197);
