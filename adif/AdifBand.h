#pragma once

#include <QByteArray>
#include <QString>

// The bands of the ADIF band enumeration, lower-case as the format writes them ("20m", "70cm").
// A band is found from the operator's free text ("20", "20 m", "20M", "14", "14 MHz", "144")
// or from a frequency in MHz; an empty text means no band was found.
class AdifBand {
public:
    static QByteArray ofFrequency(double mhz);
    // A number without unit is read as metres when a band has that name ("20" -> "20m"), else
    // as MHz ("14" -> "20m"); "cm"/"mm"/"m", "MHz"/"kHz"/"GHz" are units.
    static QByteArray ofText(const QString& text);
};
