#pragma once
// clsBERECHNEN — the default-options step of Auswerten/Neuberechnen: writes the
// display-option defaults (E12_VORGABEN) into the E12 row of the active record.
//
//   clsBERECHNEN b;
//   if (b.BERECHNUNG()) { ... load the page window ... }
//
// True only when all twenty writes succeeded. The first write that fails (the
// accessor has shown its "Datenfehler" box) ends the step with False; the
// columns after it keep their old values. The progress bar goes to 0 at the
// start and to 5 on success.
class clsBERECHNEN
{
public:
    bool BERECHNUNG();
};
