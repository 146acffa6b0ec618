#pragma once

// The priority a post carries in the announcer database; the board shows one
// column per priority, the lowest number (the most urgent) first.
enum class AnnouncerPriority : int
{
    Results = 2,    // results, official times and scores
    HeatsLists = 3, // the swimmers of each heat
};
