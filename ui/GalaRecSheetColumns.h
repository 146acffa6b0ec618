#pragma once

#include "core/sheet/SheetModel.h"

// The recording sheet's row boxes as the screen designs them.
namespace SheetColumns {

// Design name, column heading and width in characters of each row box, in
// the model's column order.
struct ColumnDesign
{
    const char *name;
    const char *heading;
    const char *label;
    int chars;
};
inline constexpr ColumnDesign Columns[SheetModel::ColumnCount] = {
    {"TeamTime", "Time", "Label1", 9},
    {"TeamPosition", "Pos", "Label2", 4},
    {"TeamPts", "Pts", "Label3", 4},
    {"TeamTotPoints", "Total", "Label4", 5},
    {"NOTE", "Notes", "Label8", 18},
    {"Swimmer_Name", "Swimmer Name", "Label9", 20},
    {"Swimmer_Dob", "Date of Birth", "Label10", 9},
    {"Swimmer_Club", "Club", "Label11", 14},
};

} // namespace SheetColumns
