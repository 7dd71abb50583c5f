// A step that changes the working drawing either wholly or not at all:
// whatever it changed is undone when the scope ends without commit(), by
// a failure returned or thrown, so no half-made space is left behind.
#pragma once

class CDrawingTransaction {
 public:
  CDrawingTransaction();
  // Rolls back unless committed.
  ~CDrawingTransaction();
  CDrawingTransaction(const CDrawingTransaction&) = delete;
  CDrawingTransaction& operator=(const CDrawingTransaction&) = delete;

  // Keeps the changes.
  void commit();

 private:
  // Whether this transaction is still the innermost open one, after
  // closing any an inner step left open.
  bool isOpen() const;

  // The host's count of open transactions with this one; 0 when none began.
  int m_depth;
  bool m_finished = false;
};
