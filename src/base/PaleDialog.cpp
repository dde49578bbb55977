#include "base/PaleDialog.h"

CPaleDialog::CPaleDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent), m_paleBrush(kPaleColor) {}

void CPaleDialog::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, BackgroundColor());
}

HBRUSH CPaleDialog::OnPale(CDC* dc, COLORREF textColor) {
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(textColor);
  return m_paleBrush;
}
