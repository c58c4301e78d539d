-- Shared archive database ARCHIV.mdb: the hand-over table between the frame
-- program and the programs it starts, one row per user.
-- (Declared types as in project.sql.)

CREATE TABLE ADMIN (
    BENUTZER     TEXT COLLATE NOCASE,
    PROG         TEXT COLLATE NOCASE,
    PROJEKTSPFAD TEXT COLLATE NOCASE,
    PROJEKT      TEXT COLLATE NOCASE,
    BEARBEITER   TEXT COLLATE NOCASE
);
CREATE INDEX ADMIN_BENUTZER ON ADMIN (BENUTZER);
