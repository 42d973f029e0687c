#pragma once
// The host's palette texts in Russian: the list kinds' items and messages,
// the General rows' names, what a write reports, the linetype loader's
// prompts. They are looked up by their English text (Supp_Translate), as a
// module's literals are.
struct QrModuleResources;

// Registers the texts with the translation layer (idempotent).
void hostRegisterPaletteTexts();
// The table itself, for checks of its entries.
const QrModuleResources& hostPaletteTextResources();
