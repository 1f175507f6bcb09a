#pragma once

#include <QString>
#include <optional>

namespace tonaq {

// The texts of one memory location as far as the reply provided them.
struct LocationTexts {
    std::optional<QString> length;
    std::optional<QString> space;
    std::optional<QString> string;

    friend bool operator==(const LocationTexts &, const LocationTexts &) = default;
};

// The step at which a reply turned out too short, in the order the steps run.
enum class LocationReplyStep {
    SplitLineTwo, // the reply has no line 2
    Length,       // line 2 is empty, so it has no field 0
    Space,        // line 2 has no ":", so no field 1
    String,       // the reply has no line 3
};

struct LocationReply {
    LocationTexts texts;
    // Set when a step found its line or field missing; the caller logs
    // ErrorCode::ReplyTooShort for that step and keeps the texts reached before it.
    std::optional<LocationReplyStep> failedStep;
};

// Takes apart the unit's answer to a location query: lines split at CR LF only, line 2 holds
// "Length = <n>ms : Space = <n>ms", line 3 "String = <tones>". Every "ms" and the labels are
// deleted and blanks (spaces only) cut from both ends; nothing is checked or shortened.
LocationReply parseLocationReply(const QString &reply);

} // namespace tonaq
