#pragma once
// CircuitryCheck: finds pixel numbers that do not run 0, 1, 2, ... along a
// port, grid points wired twice and gaps in the port numbers of an LED
// wiring, and repairs them, asking before each destructive step. Its
// questions and its report follow the language setting.

#include <QPoint>
#include <QString>
#include <vector>

class Document;
class Prompt;
class Wiring;

struct CircuitryDuplicate
{
    QPoint cell;
    int earlierPort = 0, earlierPixel = 0; // as stored (from 0)
    int laterPort = 0, laterPixel = 0;
    enum class Kept { Both, Later, Earlier } kept = Kept::Both;
};

struct CircuitryFindings
{
    int renumbered = 0; // records given their expected pixel number
    std::vector<CircuitryDuplicate> duplicates;
    int heads = 0;            // h: head pixels counted by the numbering pass
    int highestHeadPort = 0;  // H, at least 0
    int highestPort = 0;      // P, at least 0
    enum class PortNote { None, Repaired, NotRepaired, Unexpected } portNote = PortNote::None;

    bool clean() const { return renumbered == 0 && duplicates.empty() && portNote == PortNote::None; }
    // "The check found these errors:\n..." with the notes, or empty when clean.
    QString report() const;
};

// One pass: the numbering pass, the duplicate pass (each pair asked
// through the prompt) and the port numbering question. Changes the wiring
// at once. The caller has made sure the wiring is LED circuitry.
CircuitryFindings circuitryCheckPass(Wiring &w, Prompt &prompt);

// The document command: refuses other circuitry and an empty wiring, runs
// passes until the wiring is clean or the user does not want another one,
// and tells the document when the wiring changed.
void runCircuitryCheck(Document &doc, Prompt &prompt);
