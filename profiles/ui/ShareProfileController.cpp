#include "profiles/ui/ShareProfileController.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "crypto/Wipe.h"
#include "exchange/QrCode.h"
#include "exchange/WifiQr.h"
#include "platform/Alert.h"
#include "platform/qt/FieldText.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/StoredIndexes.h"
#include "ui_ShareProfileController.h"

namespace corvane {
namespace {

// The picture's side in pixels, about; modules stay whole pixels.
constexpr int kPictureSide = 264;

QImage Picture(const QrMatrix& matrix) {
    const int modules = matrix.width + 2 * kQrQuietZone;
    const int scale = std::max(2, kPictureSide / modules);
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    for (int y = 0; y < matrix.width; ++y)
        for (int x = 0; x < matrix.width; ++x)
            if (matrix.Dark(x, y))
                for (int py = 0; py < scale; ++py)
                    for (int px = 0; px < scale; ++px)
                        image.setPixel((x + kQrQuietZone) * scale + px,
                                       (y + kQrQuietZone) * scale + py, qRgb(0, 0, 0));
    return image;
}

// The network's name with its security and whether it is hidden (%1 is
// the name), one whole text for each.
QString NetworkPattern(const WifiQrNetwork& network) {
    const bool hidden = network.hidden;
    switch (network.security) {
        case WifiQrSecurity::kOpen:
            return hidden
                       ? QCoreApplication::translate("ShareProfileController", "%1 (open, hidden)")
                       : QCoreApplication::translate("ShareProfileController", "%1 (open)");
        case WifiQrSecurity::kWep:
            return hidden
                       ? QCoreApplication::translate("ShareProfileController", "%1 (WEP, hidden)")
                       : QCoreApplication::translate("ShareProfileController", "%1 (WEP)");
        case WifiQrSecurity::kWpa:
            return hidden
                       ? QCoreApplication::translate("ShareProfileController", "%1 (WPA, hidden)")
                       : QCoreApplication::translate("ShareProfileController", "%1 (WPA)");
    }
    return QStringLiteral("%1");
}

}  // namespace

ShareProfileController::ShareProfileController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ShareProfileController>()) {
    ui_->setupUi(this);
    connect(ui_->ShowKey, &QCheckBox::toggled, this, &ShareProfileController::OnShowKey);
    connect(ui_->CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

ShareProfileController::~ShareProfileController() {
    detail::SecureWipe(text_.data(), text_.size());
}

void ShareProfileController::Run(const PrefDictionary& profile) {
    const ProfileQr qr = WifiQrForProfile(profile);
    if (!qr.network) {
        platform::RunAlertPanel(qr.refusal, "", "OK");
        return;
    }
    text_ = EncodeWifiQr(*qr.network);
    const bool secret = HoldsKey(*qr.network);
    ui_->NetworkText->setText(NetworkPattern(*qr.network).arg(FromBytes(qr.network->ssid)));
    {
        const QSignalBlocker block(ui_->ShowKey);
        ui_->ShowKey->setChecked(false);
    }
    ui_->ShowKey->setVisible(secret);
    ShowCode(!secret);
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    ui_->ShowKey->setFocus();
    platform::RunModal(*this);
    ShowCode(false);
    detail::SecureWipe(text_.data(), text_.size());
    text_.clear();
}

void ShareProfileController::OnShowKey(bool shown) { ShowCode(shown); }

void ShareProfileController::ShowCode(bool shown) {
    std::optional<QrMatrix> matrix;
    if (shown && !text_.empty()) matrix = EncodeQrMatrix(text_);
    ui_->WithheldText->setVisible(!matrix);
    ui_->QrPicture->setVisible(bool(matrix));
    ui_->QrText->setVisible(bool(matrix));
    if (!matrix) {
        ui_->QrPicture->clear();
        ui_->QrText->clear();
        return;
    }
    ui_->QrPicture->setPixmap(QPixmap::fromImage(Picture(*matrix)));
    ui_->QrText->setText(FromBytes(text_));
    ui_->QrText->setCursorPosition(0);
}

}  // namespace corvane
