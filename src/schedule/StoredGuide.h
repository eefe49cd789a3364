#pragma once

#include "handover/XmltvGuide.h"
#include "schedule/ChannelSettings.h"

#include <string>
#include <vector>

class TIBQuery;

// The stored broadcasts that may air on the dates first..last: those stored under a date of the
// range and those of earlier dates whose positions end in it, with their programmes' texts and
// descriptions. The query's transaction is committed afterwards.
std::vector<TGuideRow> ReadGuideRows(TIBQuery& query, TDateTime first, TDateTime last);

// The XMLTV guide of the stored days for the air dates first..last, in the channel's time zone.
// Raises EConvertError when no stored broadcast airs then, since a guide without programmes is
// no guide, and for an unknown zone.
std::string StoredGuide(TIBQuery& query, TDateTime first, TDateTime last,
                        const TChannelSettings& channel);
