#include "commands/insertions.h"

namespace wendrill {

DocText dateInsertionText(const DateTime& now) { return dateTimeText(datePart(now)); }

DocText timeInsertionText(const DateTime& now) {
    return replaceRange(dateTimeText(timePart(now)), 1, kTimePartDateBytes);
}

}  // namespace wendrill
