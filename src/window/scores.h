#pragma once
// kinopa --scores: the player's ten best games.
namespace kinopa {

// A small dialog that lists the player's ten best games, best first (rank,
// score, and when each was played, in the player's locale), each with a
// Watch button that watches it as kinopa --watch does, in a program of its
// own; with no game kept yet it says so. Returns the exit status: 0 once
// it is closed, 1 when the games cannot be read (said in a message box).
int showScores();

}  // namespace kinopa
