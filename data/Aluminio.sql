-- Aluminium conductors, NEC Chapter 9 Table 9: alternating-current resistance and reactance
-- of 600 V cables, three-phase, 60 Hz, 75 °C, three single conductors in conduit,
-- in ohms to neutral per 1000 ft. The program reads the columns by position, the rows
-- in insertion (rowid) order: keep one row per size, smallest size first.
CREATE TABLE CableAlumino (
    calibre     TEXT NOT NULL, -- AWG up to 4/0, kcmil above
    xl_pvc_al   REAL NOT NULL, -- reactance XL, PVC and aluminium conduit
    xl_acero    REAL NOT NULL, -- reactance XL, steel conduit
    r_pvc       REAL NOT NULL, -- AC resistance in PVC conduit
    r_aluminio  REAL NOT NULL, -- AC resistance in aluminium conduit
    r_acero     REAL NOT NULL  -- AC resistance in steel conduit
);
BEGIN;
INSERT INTO CableAlumino VALUES ('12', 0.054, 0.068, 3.2, 3.2, 3.2);
INSERT INTO CableAlumino VALUES ('10', 0.050, 0.063, 2.0, 2.0, 2.0);
INSERT INTO CableAlumino VALUES ('8', 0.052, 0.065, 1.3, 1.3, 1.3);
INSERT INTO CableAlumino VALUES ('6', 0.051, 0.064, 0.81, 0.81, 0.81);
INSERT INTO CableAlumino VALUES ('4', 0.048, 0.060, 0.51, 0.51, 0.51);
INSERT INTO CableAlumino VALUES ('3', 0.047, 0.059, 0.40, 0.41, 0.40);
INSERT INTO CableAlumino VALUES ('2', 0.045, 0.057, 0.32, 0.32, 0.32);
INSERT INTO CableAlumino VALUES ('1', 0.046, 0.057, 0.25, 0.26, 0.25);
INSERT INTO CableAlumino VALUES ('1/0', 0.044, 0.055, 0.20, 0.21, 0.20);
INSERT INTO CableAlumino VALUES ('2/0', 0.043, 0.054, 0.16, 0.16, 0.16);
INSERT INTO CableAlumino VALUES ('3/0', 0.042, 0.052, 0.13, 0.13, 0.13);
INSERT INTO CableAlumino VALUES ('4/0', 0.041, 0.051, 0.10, 0.11, 0.10);
INSERT INTO CableAlumino VALUES ('250', 0.041, 0.052, 0.085, 0.090, 0.086);
INSERT INTO CableAlumino VALUES ('300', 0.041, 0.051, 0.071, 0.076, 0.072);
INSERT INTO CableAlumino VALUES ('350', 0.040, 0.050, 0.061, 0.066, 0.063);
INSERT INTO CableAlumino VALUES ('400', 0.040, 0.049, 0.054, 0.059, 0.055);
INSERT INTO CableAlumino VALUES ('500', 0.039, 0.048, 0.043, 0.048, 0.045);
INSERT INTO CableAlumino VALUES ('600', 0.039, 0.048, 0.036, 0.041, 0.038);
INSERT INTO CableAlumino VALUES ('750', 0.038, 0.048, 0.029, 0.034, 0.031);
INSERT INTO CableAlumino VALUES ('1000', 0.037, 0.046, 0.023, 0.027, 0.025);
COMMIT;
