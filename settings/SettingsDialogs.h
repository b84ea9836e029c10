#pragma once

class CSetEmbra;
class CSetGlimra;
class CSetRipla;

// The effect sets live below the settings layer and cannot name their dialogs: each set's
// ShowSettings calls the hook installed here, which makes the set's dialog on the stack,
// runs it modally over the given parent window from the program's own template and
// destroys it when it ends.
void InstallSettingsDialog(CSetEmbra& set);
void InstallSettingsDialog(CSetGlimra& set);
void InstallSettingsDialog(CSetRipla& set);
