#pragma once

struct GalaState;
struct SharedState;
class Dialogs;
class SplitTimes;

// The recording sheet's WEB and Export menu entries: each chooses its target
// through the file chooser, asks what the export needs, and shows any
// failure. The lines are built and written by WebResults, WebTeamResults,
// RankingFiles and ProgramData, which a program without windows calls with
// explicit paths. A cancelled chooser writes nothing and says "No Output
// File Specified". Each entry says what it wrote and where.
namespace ExportMenu {

// WEB > "Results Sheet": one page to the chosen file.
void WebResultsSheet(SharedState &shared, const GalaState &gala, Dialogs &dialogs);

// WEB > "Team Results": one page per team entry into the chosen folder.
// `splits` is null when online timing is not in use.
void WebTeamResults(SharedState &shared, const GalaState &gala, Dialogs &dialogs,
                    SplitTimes *splits);

// Export > "ASA Ranking Files": asks the meet code and the course, writes
// the .HDR and .MRF files into the chosen folder. An empty meet code writes
// nothing. The course question's default follows the pool: long course for
// a `poolLength` of 50 m, short course otherwise.
void AsaRankingFiles(SharedState &shared, const GalaState &gala, Dialogs &dialogs,
                     double poolLength);

// Export > "Data for Competition Program": the data file to the chosen file.
void DataForProgram(SharedState &shared, const GalaState &gala, Dialogs &dialogs);

} // namespace ExportMenu
