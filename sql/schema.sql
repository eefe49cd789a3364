-- The catalogue of programmes and the broadcasts of saved schedules.
-- Run after CREATE DATABASE ... DEFAULT CHARACTER SET WIN1251 in dialect 3.

CREATE TABLE PROGRAM_DESCRIPTION (
    NID           INTEGER NOT NULL,
    SNAME         VARCHAR(200),
    SFILE_NAME    VARCHAR(255),
    SDESCRIPTION  VARCHAR(2000),
    SSERIES_NAME  VARCHAR(200),
    FDURATION     TIME,
    BIMAGE        BLOB SUB_TYPE 0,
    SLANGUAGE     VARCHAR(50),
    SNOTE         BLOB SUB_TYPE 1,
    CONSTRAINT PK_PROGRAM_DESCRIPTION PRIMARY KEY (NID)
);

-- No key of its own: saving replaces a day's rows as a whole.
CREATE TABLE PROGRAM_TIMELINE (
    NPROGRAM_ID   INTEGER,
    DSTART_DATE   DATE,
    DEND_DATE     DATE,
    TSTART_TIME   TIME,
    TEND_TIME     TIME,
    TDURATION     TIME
);

-- One row per saved day: every save raises its version in its own transaction, so a save over
-- a day another user saved meanwhile is seen, and two saves of one date at once meet here.
CREATE TABLE SCHEDULE_DAY (
    DDATE     DATE NOT NULL PRIMARY KEY,
    NVERSION  INTEGER NOT NULL,
    TSAVED    TIMESTAMP NOT NULL
);

-- Saving and export select a day's rows by date; the picker aggregates per programme.
CREATE INDEX IX_TIMELINE_START_DATE ON PROGRAM_TIMELINE (DSTART_DATE);
CREATE INDEX IX_TIMELINE_END_DATE ON PROGRAM_TIMELINE (DEND_DATE);
CREATE INDEX IX_TIMELINE_PROGRAM ON PROGRAM_TIMELINE (NPROGRAM_ID);

-- The picker's last date per programme: the newest entry of the programme in this index.
CREATE DESCENDING INDEX IX_TIMELINE_PROGRAM_LAST ON PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE);

-- The picker's broadcast counts: rows of +1 and -1 added by the trigger below and summed per
-- programme. Rows are only ever added, so saves of different dates never wait on each other;
-- the picker replaces a programme's rows by their sum now and then.
CREATE TABLE PROGRAM_SHOW_COUNT (
    NPROGRAM_ID   INTEGER,
    NCOUNT        INTEGER NOT NULL
);
CREATE INDEX IX_SHOW_COUNT_PROGRAM ON PROGRAM_SHOW_COUNT (NPROGRAM_ID);

SET TERM ^ ;
CREATE TRIGGER PROGRAM_TIMELINE_SHOW_COUNT FOR PROGRAM_TIMELINE
AFTER INSERT OR UPDATE OR DELETE AS
BEGIN
    IF (NOT UPDATING OR NEW.NPROGRAM_ID IS DISTINCT FROM OLD.NPROGRAM_ID) THEN
    BEGIN
        IF (NOT DELETING) THEN
            INSERT INTO PROGRAM_SHOW_COUNT (NPROGRAM_ID, NCOUNT) VALUES (NEW.NPROGRAM_ID, 1);
        IF (NOT INSERTING) THEN
            INSERT INTO PROGRAM_SHOW_COUNT (NPROGRAM_ID, NCOUNT) VALUES (OLD.NPROGRAM_ID, -1);
    END
END^
SET TERM ; ^

COMMIT;
