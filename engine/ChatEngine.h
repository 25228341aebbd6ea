// CChatEngine: one bot, the state of one conversation held against one
// profile file.
//
// The engine keeps no parsed copy of its profile that could go stale: every
// lookup opens the profile through a CProfileStream, scans it from the top and
// closes it again, so an edited profile is used from the very next lookup.
// Texts inside the engine are Windows-1252 bytes; faults travel as message
// codes (engine/MessageCodes.h) inside the returned texts and are never
// thrown.
//
// The members are defined in the file of their subsystem:
//   engine/Engine.cpp       construction, names, inputs, files
//   engine/BlockReader.cpp  OpenProfile .. LoadBlock
//   engine/Reply.cpp        GetWelcome, GetReply, PickAnswer
//   engine/Match.cpp        MatchSpeak, CaptureRest
//   engine/Expand.cpp       ExpandAnswer, FindVariable, EvaluateVariable
//   engine/Info.cpp         GetInfo, LoadLanguageTable
//   engine/Checker.cpp      CheckProfile
//   engine/Names.cpp        GetNames
//   engine/Verify.cpp       VerifyProfile, RunInputs
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ProfileStream.h"
#include "engine/ReplyTrace.h"
#include "engine/Verify.h"

namespace pladdo {

// The five fields of a profile's [INFO] block, numbered as GetInfo takes them.
enum class InfoField : int {
  Name = 0,
  Version = 1,
  Creator = 2,
  Info = 3,
  Language = 4,
};

// The name the engine gives a bot whose profile cannot be opened, and the
// bot name of a fresh or reset engine.
inline constexpr std::string_view kDefaultBotName = "Pladdo";

// Nesting depth that GetReply and GetWelcome give ExpandAnswer.
inline constexpr int kExpandDepth = 20;

// Variables one trace lists; the rest are only counted.
inline constexpr std::size_t kTraceVariables = 200;

// Variable evaluations one top-level ExpandAnswer may make; past it each
// further variable becomes the loop-protection note without being evaluated.
inline constexpr int kExpandBudget = 10000;

// Bytes one expanded answer may reach; a value that would take it past them
// becomes the loop-protection note, and so does every variable after it.
inline constexpr std::size_t kMaxAnswerBytes = std::size_t{1} << 20;

// What the checker found: the report (message codes, lines ending in "\n"),
// the number of faults it lists, and whether the profile could be opened.
struct CheckResult {
  std::string strReport;
  int nFaults = 0;
  bool bOpened = false;
};

// True when an answer echoes the capture: it holds "%FE%" or its capitalised
// form "%@FE%". Such answers are dropped when a keyword match captured
// nothing.
bool AnswerNeedsCapture(std::string_view answer);

// The rows of a profile as `pladdo verify` reads them (engine/Verify.cpp).
struct ProfileOutline;

class CChatEngine {
 public:
  // Seeds the shared random generator from the clock (unless a test or
  // --seed pinned it) and starts with an empty conversation.
  CChatEngine();

  // ---- conversation state ------------------------------------------------

  // Starts a new conversation: first turn, bot name "Pladdo", no input, no
  // capture, no answer, no user name. Profile and language table stay.
  void Reset();

  bool HasUserName() const { return !m_strUserName.empty(); }
  void SetUserName(std::string_view name) { m_strUserName = name; }
  const std::string& GetUserName() const { return m_strUserName; }
  const std::string& GetBotName() const { return m_strBotName; }

  // Sets the bot name as given; nothing is read.
  void SetBotName(std::string_view name) { m_strBotName = name; }
  // Draws the bot name from the profile's NAME block; "Pladdo" when the
  // profile cannot be opened, "#ERROR_NOVARIABLEANSWER#" when the block
  // holds no answer row.
  void SetBotName();

  // Shifts the current input into the previous one and stores the new input
  // lower-cased (neither trimmed nor normalised).
  void SetInput(std::string_view input);

  // Stores the profile path and reloads the language table from the
  // language file the engine holds at this moment.
  void SetProfile(std::string_view path);
  // Stores the language file path; the table is reloaded at the next
  // SetProfile only.
  void SetLanguageFile(std::string_view path) { m_strLanguageFile = path; }

  const std::string& GetProfilePath() const { return m_strProfilePath; }
  const std::string& GetLanguageFile() const { return m_strLanguageFile; }

  // ---- welcome and reply ---------------------------------------------------

  // The expanded greeting, or "#ERROR_CANTOPENFILE#" / "#ERROR_WELCOMEEMPTY#".
  // The view stays valid until the engine's next answer.
  std::string_view GetWelcome();
  // The expanded answer to the current input, or "#ERROR_NOPROFILE#".
  std::string_view GetReply();

  // The text captured after the last matched keyword (the value of %FE%),
  // and the language table's word pairs it was swapped with.
  const std::string& GetCapture() const { return m_strCapture; }
  const std::string& GetLanguage() const { return m_strLanguage; }
  const std::vector<std::string>& GetFromWords() const {
    return m_vecFromWords;
  }
  const std::vector<std::string>& GetToWords() const { return m_vecToWords; }

  // How the last welcome or reply came about: the rule, the rows and the
  // variables. Reading it changes nothing.
  const ReplyTrace& GetTrace() const { return m_trace; }

  // ---- the profile as its author and the chooser see it --------------------

  // The value of one [INFO] field, or " " when there is none. Reads the
  // profile; changes nothing in the conversation.
  std::string GetInfo(InfoField field) const;
  // The answer rows of the NAME block in file order (read anew); empty when
  // the profile cannot be opened. Changes nothing in the conversation.
  std::vector<std::string> GetNames() const;
  // Runs the checker over the profile. Changes nothing in the conversation.
  CheckResult CheckProfile() const;
  // Runs the profile's sample lines ("#>"), each in a conversation of its own
  // after the user's name, and looks for pattern rows that can never answer,
  // variables that point to no block or file and blocks no variable names.
  // Changes nothing in the conversation.
  VerifyResult VerifyProfile() const;
  // Answers each input (Windows-1252) in a conversation of its own after the
  // user's name and tells which row answered and which later groups would
  // also have matched. Changes nothing in the conversation.
  CorpusResult RunInputs(const std::vector<std::string>& inputs) const;

 private:
  // The tests' one way to the reader's steps and the engine's scratch state.
  friend class CChatEngineTestAccess;

  // ---- block reader --------------------------------------------------------

  // Opens the stream on path; false for an empty path or a file that cannot
  // be opened (a directory counts as one that cannot).
  static bool OpenProfile(CProfileStream& stream, std::string_view path);
  static void CloseProfile(CProfileStream& stream);
  // The next non-empty row (comment cut, normalised), or "" at the end of
  // the file. With countLines every physical line read adds one to
  // m_nLineCount.
  std::string ReadRow(CProfileStream& stream, bool countLines);
  // ReadRow as a view into the stream (valid until its next read), counting
  // into counter when it is given.
  static std::string_view NextRow(CProfileStream& stream,
                                  std::int32_t* counter);
  // Reads rows until one begins with "[" + name + "]" (case ignored, "*" and
  // "?" in name act as wildcards). True when found.
  static bool FindBlock(CProfileStream& stream, std::string_view name);
  // Replaces m_vecAnswers with the answer rows that follow.
  void ReadAnswers(CProfileStream& stream);
  // The stream's line number as a trace keeps it (saturating).
  static int TraceLine(const CProfileStream& stream);
  // ReadAnswers into a list of the caller's; lines, when given, gets the
  // line of each answer row.
  static void ReadAnswerRows(CProfileStream& stream,
                             std::vector<std::string>& answers,
                             std::vector<int>* lines = nullptr);
  // Opens the profile, reads the named block's answers into m_vecAnswers and
  // closes it. False only when the profile cannot be opened.
  bool LoadBlock(std::string_view name);

  // A copy of one entry of m_vecAnswers drawn at random, or
  // "#ERROR_NOVARIABLEANSWER#" when the list is empty. row, when given,
  // names the answer row drawn (line 0 when there was none).
  std::string PickAnswer(TraceRow* row = nullptr) const;

  // ---- keyword matching ----------------------------------------------------

  // True when a pattern row of SPEAK (or of a later block) matches the input
  // as a whole word or phrase and its group leaves at least one answer.
  bool MatchSpeak();
  // Captures the words of text from start on into m_strCapture and swaps
  // them through the language table.
  void CaptureRest(std::string_view text, std::size_t start);
  // The bytes of text that CaptureRest takes from start on, before the word
  // swap.
  static std::string_view CapturedText(std::string_view text,
                                       std::size_t start);

  // ---- answer expansion ----------------------------------------------------

  // Replaces every variable of text by its value, nesting to depth.
  void ExpandAnswer(std::string& text, int depth);
  // Finds the next "%...%" at or after pos. pos receives the place of the
  // opening "%" (npos when there is none); true when a closing "%" follows.
  static bool FindVariable(std::string_view text, std::string& variable,
                           std::size_t& pos);
  // Replaces variable (with its "%" signs) by its value or a message note.
  // False when a block variable's file cannot be opened or its block holds
  // no answer row.
  bool EvaluateVariable(std::string& variable);
  // A new entry of the trace's variable list for variable, or nullptr when
  // nothing is recorded (tracing off, or the list is full).
  TraceVariable* TraceNextVariable(std::string_view variable);

  // What a variable ("%" signs included) stands for, read as the expansion
  // reads it: a built-in value, or a block of the profile or of a file.
  struct VariableTarget {
    bool bCapital = false;
    bool bBuiltIn = false;
    std::string strBuiltIn;  // a built-in variable without its "@"
    bool bOwnFile = true;    // a block of the profile; else of strFile
    std::string strFile;
    std::string strName;  // the block name as FindBlock is given it
  };
  static VariableTarget ParseVariable(std::string_view variable);
  // The value of a built-in variable (as ParseVariable gives it).
  std::string BuiltInValue(std::string_view variable) const;

  // ---- information block, language table, checker, verifier ---------------

  // Rebuilds m_strLanguage and the word lists from the profile's language.
  void LoadLanguageTable();
  // The checker's run; CheckProfile gives it a copy of the engine, so that
  // the variables it evaluates leave the conversation alone.
  CheckResult RunCheck();

  // A block as a variable finds it: whether its file opened, whether the
  // header was found and on which line, and how many answer rows follow.
  struct BlockLookup {
    bool bOpened = false;
    bool bFound = false;
    int nHeaderLine = 0;
    std::size_t nAnswers = 0;
  };
  static BlockLookup LookUpBlock(std::string_view file, std::string_view name);
  // The line of the SPEAK header the keyword scan starts from; 0 when the
  // profile has none.
  static int FindSpeakLine(std::string_view path);
  // Reads every line of the profile at path into outline; false when it
  // cannot be opened.
  static bool ReadOutline(std::string_view path, ProfileOutline& outline);
  // A copy of this engine after a fresh conversation's welcome and the
  // user's first input, userName, answered from START, recording its trace.
  CChatEngine AfterUserName(std::string_view userName) const;

  std::string m_strUserName;
  std::string m_strBotName{kDefaultBotName};
  std::string m_strPrevInput;
  std::string m_strInput;
  std::string m_strProfilePath;
  std::string m_strLanguageFile{"language.dat"};
  std::int32_t m_nLineCount = 0;
  std::vector<std::string> m_vecAnswers;
  std::string m_strAnswer;
  std::string m_strCapture;
  std::string m_strLanguage;
  std::vector<std::string> m_vecFromWords;
  std::vector<std::string> m_vecToWords;
  bool m_bFirstTurn = true;

  // Where the rows of m_vecAnswers stand: their file and lines.
  std::string m_strAnswersFile;
  std::vector<int> m_vecAnswerLines;
  // The record of the last welcome or reply; the benchmark switches
  // recording off to show what it costs.
  ReplyTrace m_trace;
  bool m_bTracing = true;
  TraceRow m_drawnRow;  // the row the last block variable drew

  // Expansion bookkeeping: how deep ExpandAnswer is nested right now, how
  // many evaluations the current top-level call may still make, and the size
  // of its answer as it stands (past kMaxAnswerBytes once a value was left
  // out for its size).
  int m_nExpandNesting = 0;
  int m_nEvaluationsLeft = kExpandBudget;
  std::size_t m_nAnswerBytes = 0;
};

}  // namespace pladdo
