-- Project database KAVELOR.mdb: the tables of the borehole records, their
-- display options, evaluation state and view records. The empty template and
-- every project database and working copy have exactly these tables.
--
-- Declared types and what they hold:
--   INTEGER  32-bit whole number      SMALLINT 16-bit whole number
--   FLOAT    32-bit floating point    DOUBLE   64-bit floating point
--   BOOLEAN  0 / 1                    DATETIME ISO text yyyy-MM-dd[ HH:mm:ss]
--   TEXT     text, compared without regard to letter case
-- Column order is fixed: records are copied between databases by position.
-- No unique constraints: the program keeps its keys itself.

-- Record header, one row per record.
CREATE TABLE E1 (
    ID    INTEGER,
    KEN   TEXT COLLATE NOCASE,
    KOM   TEXT COLLATE NOCASE,
    AKT   BOOLEAN DEFAULT 0,
    RW    DOUBLE,
    HW    DOUBLE,
    H     DOUBLE,
    ROK   FLOAT,
    OPTK  BOOLEAN DEFAULT 0,
    OPTH  BOOLEAN DEFAULT 0,
    B1    TEXT COLLATE NOCASE,
    B2    TEXT COLLATE NOCASE,
    B3    TEXT COLLATE NOCASE,
    B4    TEXT COLLATE NOCASE
);
CREATE INDEX E1_ID ON E1 (ID);

-- Layers.
CREATE TABLE E2 (
    ID    INTEGER,
    I1    SMALLINT,
    TUKS  FLOAT,
    HPTB1 TEXT COLLATE NOCASE,
    HPTB2 TEXT COLLATE NOCASE,
    NEBB  TEXT COLLATE NOCASE,
    RUND  TEXT COLLATE NOCASE,
    ZUST  TEXT COLLATE NOCASE,
    FARBE TEXT COLLATE NOCASE,
    BEMS  TEXT COLLATE NOCASE,
    BS    SMALLINT
);
CREATE INDEX E2_ID ON E2 (ID);
CREATE INDEX E2_ID_I1 ON E2 (ID, I1);

-- Groundwater observations.
CREATE TABLE E3 (
    ID      INTEGER,
    I1      SMALLINT,
    GTYP    SMALLINT,
    TGW     FLOAT,
    GWDATUM DATETIME
);
CREATE INDEX E3_ID ON E3 (ID);
CREATE INDEX E3_ID_I1 ON E3 (ID, I1);

-- Samples and grain size.
CREATE TABLE E4 (
    ID      INTEGER,
    I1      SMALLINT,
    GUETE   TEXT COLLATE NOCASE,
    TUKP    FLOAT,
    HPK     FLOAT,
    BEZ     TEXT COLLATE NOCASE,
    ENTVERF SMALLINT,
    PF      FLOAT,
    PS      FLOAT,
    PG      FLOAT,
    PPX     FLOAT,
    PPY     FLOAT,
    D04     FLOAT
);
CREATE INDEX E4_ID ON E4 (ID);
CREATE INDEX E4_ID_I1 ON E4 (ID, I1);

-- Pocket penetrometer.
CREATE TABLE E5 (
    ID  INTEGER,
    I1  SMALLINT,
    VTT FLOAT,
    MX  FLOAT,
    SX  FLOAT
);
CREATE INDEX E5_ID ON E5 (ID);
CREATE INDEX E5_ID_I1 ON E5 (ID, I1);

-- Standard penetrometer.
CREATE TABLE E6 (
    ID   INTEGER,
    I1   SMALLINT,
    STYP SMALLINT,
    VTS  FLOAT,
    N15  FLOAT,
    N30  FLOAT
);
CREATE INDEX E6_ID ON E6 (ID);
CREATE INDEX E6_ID_I1 ON E6 (ID, I1);

-- Casing.
CREATE TABLE E7 (
    ID   INTEGER,
    I1   SMALLINT,
    VTV  FLOAT,
    VTYP TEXT COLLATE NOCASE,
    MAT  TEXT COLLATE NOCASE,
    DPR  FLOAT
);
CREATE INDEX E7_ID ON E7 (ID);
CREATE INDEX E7_ID_I1 ON E7 (ID, I1);

-- Drilling method.
CREATE TABLE E8 (
    ID   INTEGER,
    I1   SMALLINT,
    VTB  FLOAT,
    VERF TEXT COLLATE NOCASE,
    DBL  FLOAT
);
CREATE INDEX E8_ID ON E8 (ID);
CREATE INDEX E8_ID_I1 ON E8 (ID, I1);

-- Plasticity.
CREATE TABLE E9 (
    ID   INTEGER,
    I1   SMALLINT,
    VTBI FLOAT,
    W    FLOAT,
    WP   FLOAT,
    WL   FLOAT
);
CREATE INDEX E9_ID ON E9 (ID);
CREATE INDEX E9_ID_I1 ON E9 (ID, I1);

-- Pressuremeter.
CREATE TABLE E10 (
    ID  INTEGER,
    I1  SMALLINT,
    VTP FLOAT,
    PL  FLOAT,
    EP  FLOAT
);
CREATE INDEX E10_ID ON E10 (ID);
CREATE INDEX E10_ID_I1 ON E10 (ID, I1);

-- Flat dilatometer.
CREATE TABLE E11 (
    ID  INTEGER,
    I1  SMALLINT,
    VTF FLOAT,
    IND FLOAT,
    KD  FLOAT,
    ED  FLOAT
);
CREATE INDEX E11_ID ON E11 (ID);
CREATE INDEX E11_ID_I1 ON E11 (ID, I1);

-- Display options of the record's log page, one row per record.
CREATE TABLE E12 (
    ID      INTEGER,
    MA      SMALLINT,
    SYMBOLE SMALLINT,
    FARBEN  SMALLINT,
    BZTV    SMALLINT,
    BZSV    SMALLINT,
    BFV     SMALLINT,
    BEMV    SMALLINT,
    BUV     SMALLINT,
    ARV     BOOLEAN DEFAULT 0,
    BVV     SMALLINT,
    VV      SMALLINT,
    PROV    SMALLINT,
    GWV     SMALLINT,
    TPV     SMALLINT,
    STSV    SMALLINT,
    BILDV   SMALLINT,
    PRV     SMALLINT,
    FDV     SMALLINT,
    KVV     SMALLINT,
    TAV     BOOLEAN DEFAULT 0
);
CREATE INDEX E12_ID ON E12 (ID);

-- Evaluation state, one row per record.
CREATE TABLE A1 (
    ID    INTEGER,
    BONEU BOOLEAN DEFAULT 0
);
CREATE INDEX A1_ID ON A1 (ID);

-- View record of a picture, one row per record and picture number.
CREATE TABLE G0 (
    ID       INTEGER,
    IDOBJEKT SMALLINT,
    OX       SMALLINT,
    OY       SMALLINT,
    RL       FLOAT,
    RR       FLOAT,
    RO       FLOAT,
    RU       FLOAT,
    XMIN     FLOAT,
    XMAX     FLOAT,
    YMIN     FLOAT,
    YMAX     FLOAT,
    MX       FLOAT,
    MY       FLOAT,
    MYMX     FLOAT,
    MSP      FLOAT
);
CREATE INDEX G0_ID ON G0 (ID);
CREATE INDEX G0_ID_IDOBJEKT ON G0 (ID, IDOBJEKT);
