-- Copper conductors, NEC Chapter 9 Table 9: alternating-current resistance and reactance
-- of 600 V cables, three-phase, 60 Hz, 75 °C, three single conductors in conduit,
-- in ohms to neutral per 1000 ft. The program reads the columns by position, the rows
-- in insertion (rowid) order: keep one row per size, smallest size first.
CREATE TABLE cablesCobre (
    calibre     TEXT NOT NULL, -- AWG up to 4/0, kcmil above
    xl_pvc_al   REAL NOT NULL, -- reactance XL, PVC and aluminium conduit
    xl_acero    REAL NOT NULL, -- reactance XL, steel conduit
    r_pvc       REAL NOT NULL, -- AC resistance in PVC conduit
    r_aluminio  REAL NOT NULL, -- AC resistance in aluminium conduit
    r_acero     REAL NOT NULL  -- AC resistance in steel conduit
);
BEGIN;
INSERT INTO cablesCobre VALUES ('14', 0.058, 0.073, 3.1, 3.1, 3.1);
INSERT INTO cablesCobre VALUES ('12', 0.054, 0.068, 2.0, 2.0, 2.0);
INSERT INTO cablesCobre VALUES ('10', 0.050, 0.063, 1.2, 1.2, 1.2);
INSERT INTO cablesCobre VALUES ('8', 0.052, 0.065, 0.78, 0.78, 0.78);
INSERT INTO cablesCobre VALUES ('6', 0.051, 0.064, 0.49, 0.49, 0.49);
INSERT INTO cablesCobre VALUES ('4', 0.048, 0.060, 0.31, 0.31, 0.31);
INSERT INTO cablesCobre VALUES ('3', 0.047, 0.059, 0.25, 0.25, 0.25);
INSERT INTO cablesCobre VALUES ('2', 0.045, 0.057, 0.19, 0.20, 0.20);
INSERT INTO cablesCobre VALUES ('1', 0.046, 0.057, 0.15, 0.16, 0.16);
INSERT INTO cablesCobre VALUES ('1/0', 0.044, 0.055, 0.12, 0.13, 0.12);
INSERT INTO cablesCobre VALUES ('2/0', 0.043, 0.054, 0.10, 0.10, 0.10);
INSERT INTO cablesCobre VALUES ('3/0', 0.042, 0.052, 0.077, 0.082, 0.079);
INSERT INTO cablesCobre VALUES ('4/0', 0.041, 0.051, 0.062, 0.067, 0.063);
INSERT INTO cablesCobre VALUES ('250', 0.041, 0.052, 0.052, 0.057, 0.054);
INSERT INTO cablesCobre VALUES ('300', 0.041, 0.051, 0.044, 0.049, 0.045);
INSERT INTO cablesCobre VALUES ('350', 0.040, 0.050, 0.038, 0.043, 0.039);
INSERT INTO cablesCobre VALUES ('400', 0.040, 0.049, 0.033, 0.038, 0.035);
INSERT INTO cablesCobre VALUES ('500', 0.039, 0.048, 0.027, 0.032, 0.029);
INSERT INTO cablesCobre VALUES ('600', 0.039, 0.048, 0.023, 0.028, 0.025);
INSERT INTO cablesCobre VALUES ('750', 0.038, 0.048, 0.019, 0.024, 0.021);
INSERT INTO cablesCobre VALUES ('1000', 0.037, 0.046, 0.015, 0.019, 0.018);
COMMIT;
