#pragma once
// The shapes the drawn mouth can take while it speaks.

enum class MouthShape {
    Rest,       // lips together, relaxed
    Closed,     // m, b, p
    Teeth,      // slightly open with teeth: s, t, d, n, e
    Open,       // a in "cat"
    Wide,       // a in "father"
    Rounded,    // o
    Puckered,   // u, w
    LipBite,    // f, v
};

class QChar;

// The shape a written letter is usually said with; used where no phoneme
// timing exists.
MouthShape shapeForLetter(QChar letter);
