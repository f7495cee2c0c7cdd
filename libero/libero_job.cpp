#include "libero/libero_job.h"

#include "core/messages.h"
#include "core/utf8.h"
#include "libero/compiler.h"

namespace zifrel::libero {
namespace {

// The variable counts a pilot reading may have, most welcome first: three
// or four letters prune best. The order of the listed solutions follows from
// the pilot, and users and golden outputs rely on that order, so this list
// stays as first chosen even where another pilot would search faster (the
// counting walks reorder the letters freely, the listing never does).
constexpr std::array<int, 10> kPilotPreference = {3, 4, 2, 5, 1, 6, 7, 8, 9, 10};

}  // namespace

JobEnd FreeRelations::SolveFreeRelations(std::span<const std::string> lines, const KeepRelations& keep, LineSink& out,
                                         StopFlag& stop, std::atomic<std::int32_t>& solutionCount) {
  kept_.clear();
  texts_.clear();
  pilot_ = {};
  for (const std::string& line : lines) {
    const std::size_t length = CodePointCount(line);
    if (length > static_cast<std::size_t>(kMaxFormulaChars)) {
      out.AppendLine(msg::kLineTooLong);
      return JobEnd::kRefused;
    }
    if (length < 3) continue;  // too short to be a relation: dropped
    if (kept_.size() == static_cast<std::size_t>(kMaxRelations)) {
      out.AppendLine(msg::kTooManyRelations);
      return JobEnd::kRefused;
    }
    kept_.push_back(line);
    texts_.push_back(DecodeUtf8(line));
  }
  keep(kept_);

  out_ = &out;
  stop_ = &stop;
  count_ = &solutionCount;
  const Prepared prepared = PrepareAndSearch();
  out_ = nullptr;
  stop_ = nullptr;
  count_ = nullptr;

  if (prepared.end == JobEnd::kRefused) {
    out.AppendLine(msg::kErrorHeader);
    out.AppendLine(CheckMessage(prepared.check));
    // Too many letters is said without a relation, even of one relation.
    if (prepared.check != kTooManyVariables) out.AppendLine(kept_[prepared.relation]);
    return JobEnd::kRefused;
  }
  const std::int32_t count = solutionCount.load(std::memory_order_relaxed);
  if (count > 0) out.AppendLine(msg::kSummaryRule);
  if (count == 0) {
    out.AppendLine(msg::kNoFreeSolution);
  } else if (count == 1) {
    out.AppendLine(msg::kOneFreeSolution);
  } else {
    out.AppendLine(std::to_string(count) + std::string(msg::kFreeSolutionsSuffix));
  }
  if (prepared.end == JobEnd::kSearched) return JobEnd::kSearched;
  out.AppendLine(msg::kFreeSearchStopped);
  return JobEnd::kStopped;
}

FreeRelations::Prepared FreeRelations::PrepareAndSearch() {
  table_.Reset();
  scratch_.length = 0;
  const int relations = static_cast<int>(texts_.size());
  for (int i = 0; i < relations; ++i) {
    if (const CheckCode c = CheckRelation(texts_[i]); c != kCheckOk) return {JobEnd::kRefused, i, c};
  }

  // The pilot: the first relation, in the order of preference of counts,
  // whose units reading or else whose full reading has that many variables.
  std::vector<int> fullCount(relations), unitsCount(relations);
  for (int j = 0; j < relations; ++j) {
    fullCount[j] = CountVariables(texts_[j], Reading::kFull, scratch_, table_);
    unitsCount[j] = CountVariables(texts_[j], Reading::kUnits, scratch_, table_);
  }
  for (int k : kPilotPreference) {
    for (int j = 0; j < relations && pilot_.relation < 0; ++j) {
      if (unitsCount[j] == k)
        pilot_ = {j, Reading::kUnits, k};
      else if (fullCount[j] == k)
        pilot_ = {j, Reading::kFull, k};
    }
    if (pilot_.relation >= 0) break;
  }

  // The pilot's variables are numbered first, 1..m; then every relation's
  // other letters, relation by relation.
  if (pilot_.relation >= 0) {
    CountVariables(texts_[pilot_.relation], pilot_.mode, scratch_, table_);
    pilot_.variables = table_.Count();
  } else {
    table_.Reset();
  }
  codes_.assign(relations, RelationCode{});
  for (int j = 0; j < relations; ++j) CompileRelation(texts_[j], true, Reading::kFull, codes_[j], table_);
  const int total = table_.Count();
  if (total > kMaxVariables) return {JobEnd::kRefused, -1, kTooManyVariables};

  count_->store(0, std::memory_order_relaxed);
  if (pilot_.relation < 0) return {};
  search_.Plan({total, pilot_.variables, &table_, texts_, codes_});
  return {search_.Run(*out_, *stop_, *count_) == RunEnd::kStopped ? JobEnd::kStopped : JobEnd::kSearched};
}

}  // namespace zifrel::libero
