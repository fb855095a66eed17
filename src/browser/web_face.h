#pragma once
// What the browser's back end adds to the platform face: the player's
// language, and the game's Japanese sentences (made at build time from
// translations/kinopa_ja.ts).
#include <string>

namespace kinopa {

// Whether the player's sentences are Japanese (the browser's language).
void useJapanese(bool on);
// The Japanese of a player's sentence, or the sentence as written where
// there is none.
std::string japaneseSentence(const char* sentence);

}  // namespace kinopa
