#pragma once

// The ways a simulated device can misbehave; all off by default.
struct SimFaults
{
    bool noSubscribe = false;    // the probe and every SUB are answered ",no"
    bool silentProbe = false;    // the probe "SUB" gets no answer at all
    double nakRate = 0.0;        // share of commands answered by NAK instead
    double noAnswerRate = 0.0;   // share of commands left without any answer
    int delayMs = 0;             // every write waits this long
    int splitBytes = 0;          // writes cut into chunks of this size (0: whole)
    bool join = false;           // replies pending together go out as one ";"-joined write
    int closeAfter = 0;          // a connection is closed after this many commands (0: never)
    bool refuse = false;         // no connection is accepted
    bool lowerCaseMeter = false; // level replies name the meter in lower-case hexadecimal
};
