// The Cabrillo 3.0 log of an export pass: its header fields and the finished QSO lines.
#pragma once
#include <string>
#include <vector>

#include "platform/date_time.h"
#include "platform/header_dialog.h"

class QsoLog;

// The name of the own call's files without their ending ("K1VU" for K1VU.cbr): the call with the characters no
// file name may hold made '_', in the current folder whatever the call says.
std::string cabrilloFileBase(const std::string& ownCall);

class CCabrilloLog {
public:
    std::string m_callsign;
    std::string m_name;
    std::string m_address;
    std::string m_claimed;
    std::string m_contest;
    std::string m_email;
    std::string m_club;
    std::string m_soapbox;
    std::string m_operators;
    std::string m_categoryOperator;
    std::string m_categoryBand;
    std::string m_categoryPower;
    std::string m_categoryMode;
    std::string m_location;
    std::string m_addressCity;
    std::string m_addressPostalCode;
    std::string m_addressCountry;
    std::string m_categoryTransmitter;
    std::string m_fileBase;
    std::string m_ownCall; // the pass's own call: the QSO lines' own call when the header's CALLSIGN is empty
    std::vector<std::string> m_qsoLines;
    // How this export's header dialog ended: only a confirmed header gives a file.
    platform::HeaderDialogOutcome m_outcome = platform::HeaderDialogOutcome::confirmed;

    // Starts an export: the header from the settings and fixed values, as the header dialog is to show it.
    platform::HeaderDialogValues Begin(const std::string& ownCall, int contestMode);
    // The operator's answer to that dialog: on OK the header takes the values and the settings keep them for the
    // next export. True on OK.
    bool Confirm(platform::HeaderDialogOutcome outcome, const platform::HeaderDialogValues& values);
    // One QSO line in fixed columns, always its ten fields: band is the QSO's (its lower edge stands in for a
    // frequency of 0 or below it), mode the line's ("CW", "PH"; its usual report stands in for an empty one).
    // Blanks and control bytes inside a text are dropped, an empty field is "-".
    void AddQso(const std::string& call, int freqKHz, const std::string& band, const std::string& mode,
                const COleDateTime& time, const std::string& rstSent, const std::string& exchSent,
                const std::string& rstRcvd, const std::string& exchRcvd);
    // The QSO lines of the log's exported QSOs, in log order: every QSO not excluded, dupes included. Each call
    // starts the list afresh, so every result of an export pass writes each QSO once.
    void SetQsos(const QsoLog& log);
    // Writes the file, claiming this score; returns the message for the operator.
    std::string Write(long long claimedScore);
};

// source with every find replaced, left to right, without rescanning what was put in.
std::string ReplaceAll(const std::string& source, const std::string& find, const std::string& replacement);
// value with each line break (CR LF, CR or LF) as a blank.
std::string OneLine(const std::string& value);

extern CCabrilloLog g_cabrillo;
