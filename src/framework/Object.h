#pragma once
// Common root of the framework's polymorphic classes, so that containers such
// as CObArray can hold (and their owners delete) any of them.

class CObject {
 public:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
  virtual ~CObject() = default;
};
