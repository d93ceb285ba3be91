#include "TestComponents.h"

namespace lumotrix {

TTrHeader::TTrHeader() : FItems(std::make_unique<TStringList>()) {}
TTrHeader::~TTrHeader() = default;

TTrControl::TTrControl(TComponent* owner)
    : TControl(owner), FFont(std::make_unique<TTrFont>()), FHeader(std::make_unique<TTrHeader>()),
      FColumns(std::make_unique<TCollection>(ClassInfoOf<TTrColumn>(), this)),
      FLines(std::make_unique<TStringList>()) {
    SetWidget(new QWidget);
}

TTrControl::~TTrControl() = default;

qintptr TTrControl::Perform(quint32 message, qintptr wParam, qintptr lParam) {
    Messages.append(message);
    return TControl::Perform(message, wParam, lParam);
}

LUMOTRIX_REGISTER_CLASS(TTrFont, TPersistent) {
    Property("Name", &TTrFont::Name);
    Property("Charset", &TTrFont::Charset, nullptr, TypeInfoFontCharset());
}

LUMOTRIX_REGISTER_CLASS(TTrHeader, TPersistent) {
    Property("Text", &TTrHeader::Text);
    Property("Items", &TTrHeader::Items);
}

LUMOTRIX_REGISTER_CLASS(TTrColumn, TCollectionItem) {
    Property("Caption", &TTrColumn::Caption);
    Property("Width", &TTrColumn::Width);
}

LUMOTRIX_REGISTER_CLASS(TTrControl, TControl) {
    Property("Caption", &TTrControl::Caption, &TTrControl::SetCaption);
    Property("Count", &TTrControl::Count, &TTrControl::SetCount);
    Property("AnsiText", &TTrControl::AnsiText);
    Property("Letter", &TTrControl::Letter);
    Property("WideLetter", &TTrControl::WideLetter);
    Property("Flag", &TTrControl::Flag);
    Property("Shade", &TTrControl::Shade);
    Property("Shades", &TTrControl::Shades);
    Property("Ratio", &TTrControl::Ratio);
    Property("Price", &TTrControl::Price, nullptr, TypeInfoFloat(ftCurr));
    Property("Small", &TTrControl::Small);
    Property("Mask", &TTrControl::Mask);
    Property("Big", &TTrControl::Big);
    Property("Values", &TTrControl::Values);
    Property("Anything", &TTrControl::Anything);
    Property("ConnectionString", &TTrControl::ConnectionString);
    Property("OnChange", &TTrControl::OnChange);
    Property("Link", &TTrControl::Link);
    Property("TextFont", &TTrControl::TextFont);
    Property("Header", &TTrControl::Header);
    Property("Columns", &TTrControl::Columns);
    Property("Lines", &TTrControl::Lines);
}

LUMOTRIX_REGISTER_CLASS(TTrFrame, TFrame) {}
LUMOTRIX_REGISTER_CLASS(TTrBaseForm, TForm) {}
LUMOTRIX_REGISTER_CLASS(TTrForm, TTrBaseForm) {}
LUMOTRIX_REGISTER_CLASS(TTrPackageForm, TForm) {}
LUMOTRIX_REGISTER_CLASS(TTrDataModule, TDataModule) {}

} // namespace lumotrix
