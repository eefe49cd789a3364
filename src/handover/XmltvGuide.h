#pragma once

#include "platform/DateTime.h"

#include <QTimeZone>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A catalogue programme's texts (PROGRAM_DESCRIPTION), Windows-1251; one for all its broadcasts.
struct TGuideProgramme {
    std::string SeriesName, ProgramName, Language, Description;
};

// A broadcast row as stored (PROGRAM_TIMELINE) with its programme.
struct TGuideRow {
    TDateTime StoredDate = 0;   // DSTART_DATE
    int Position = 0;           // DEND_DATE - DSTART_DATE (0 when NULL)
    TDateTime StartTime = 0;    // TSTART_TIME, time of day
    TDateTime Duration = 0;     // TDURATION, as a time of day value (fraction of a day)
    std::int32_t ProgramId = 0; // NPROGRAM_ID
    // Null when the programme was deleted from the catalogue.
    std::shared_ptr<const TGuideProgramme> Programme;
};

// Texts are UTF-8.
struct TGuideChannel {
    std::string Id;
    std::string DisplayName;
};

// The rows a guide lists for the air dates first..last. A row airs on StoredDate + Position. For
// each air date only the rows stored under the latest StoredDate having any row airing on it
// count, so a day saved again after an import of several days is never listed twice; rows
// stored before first reach in through their positions. Ordered by air date, then start.
std::vector<TGuideRow> RowsOnTheAir(const std::vector<TGuideRow>& rows, TDateTime first,
                                    TDateTime last);

// The XMLTV document (UTF-8) of rows chosen by RowsOnTheAir, programmes ordered by start; each
// stops its duration after its start, across midnight or a change of offset. Raises EConvertError
// when the zone is not valid.
std::string XmltvGuide(const std::vector<TGuideRow>& rows, const TGuideChannel& channel,
                       const QTimeZone& zone, const std::string& version);

// Whether tv_validate_file takes the text as a channel id: two or more dot-separated parts of
// ASCII letters, digits and '-'.
bool IsValidChannelId(const std::string& id);
