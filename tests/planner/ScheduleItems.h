#pragma once

#include "planner/model/CustomPlanner.h"
#include "platform/DateTime.h"

#include <string>

inline TDateTime At(int hour, int minute) {
    return EncodeTime(hour, minute, 0, 0);
}

// A programme as the schedule window sets it up: rounded with a shadow, a caption band from
// white to blue, the time span and "Program №" in the caption, and the marked-up text.
inline TPlannerItem& AddProgramme(TCustomPlanner& planner, TDateTime start, TDateTime duration,
                                  int position, const std::string& series = "Series") {
    TPlannerItem& item = planner.Items().Add();
    item.SetVisible(false);
    item.SetItemPos(position);
    item.SetBeginTime(start);
    item.SetEndTime(start + duration);
    item.SetShadow(true);
    item.SetShape(psRounded);
    item.SetCaptionBkg(0xFFFFFF);
    item.SetCaptionBkgTo(15302738);
    TPlannerFont font = item.Font();
    font.Color = clWindowText;
    item.SetFont(font);
    item.SetCaptionType(ctTimeText);
    item.SetCaptionText("Program \xB9"
                        "7");
    item.SetText({"<html> ", "<body>", "<b>Series:</b> <p>" + series + "</p>",
                  "<b>Program:</b> <p>Evening news</p>", "<b>Language: </b> <p>English</p>",
                  "</body>", "</html>"});
    item.SetVisible(true);
    return item;
}
