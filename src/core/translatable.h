#pragma once

// Marks a text of the interface for its English translation: the window and
// the command line show it through Qt's translation in that context, which
// lupdate finds by this mark (scripts/update-translations.sh). In the core,
// which has no Qt, it is the text itself.
#define FIELDLINES_TEXT(context, text) text
