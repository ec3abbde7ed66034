#include "exercises/ordering/PictureOrdering.h"

#include "exercises/ordering/AnswerPicture.h"
#include "services/Artwork.h"

namespace {

const QSize PictureSize{1695, 1575};

}  // namespace

struct PictureOrdering::Design {
    const char* name;
    int n;
    QSize client;
    int answerTop;
    int pictureTop;
    QRect bocca;
    QPoint panel;
    QPoint command1;
    QColor face;
};

std::unique_ptr<PictureOrdering> PictureOrdering::crea(const Design& design)
{
    Layout layout{design.n, PictureSize, {}, PictureSize, {}, {}, {}};
    for (int k = 0; k < design.n; ++k) {
        const int left = 120 + 1800 * k;
        layout.places.emplace_back(left, design.pictureTop);
        layout.answers.emplace_back(left, design.answerTop);
        // The first two pictures stand swapped in the design.
        const int standsAt = k == 0 ? 1 : k == 1 ? 0 : k;
        layout.designPlace.push_back(standsAt);
        layout.readPlacesFrom.push_back(standsAt);
    }
    const FrameLayout frame{design.client, design.bocca, design.panel, QRect(design.command1, QSize(1935, 1095)),
                            design.face};
    return std::unique_ptr<PictureOrdering>(new PictureOrdering(QString::fromLatin1(design.name), frame, layout));
}

std::unique_ptr<PictureOrdering> PictureOrdering::Form4a()
{
    return crea({"Form4a", 3, {9075, 5145}, 360, 3360, {6600, 1800, 1320, 1200}, {5760, 360}, {6240, 3840}, {255, 255, 128}});
}

std::unique_ptr<PictureOrdering> PictureOrdering::Form4b()
{
    return crea({"Form4b", 4, {7500, 5025}, 120, 1800, {3480, 3600, 1320, 1200}, {120, 3720}, {5160, 3720}, {255, 128, 0}});
}

std::unique_ptr<PictureOrdering> PictureOrdering::Form4c()
{
    return crea({"Form4c", 5, {9375, 5340}, 240, 2040, {4200, 3840, 1320, 1200}, {240, 3960}, {6720, 3960}, {255, 0, 0}});
}

QWidget* PictureOrdering::creaElemento(int k, const QRect& twips)
{
    if (k == 0)
        Image1.clear();
    auto* picture = place(new PictureImage, QStringLiteral("Image1(%1)").arg(k), twips);
    picture->setCursor(Artwork::pointer(Artwork::Pointer::Arrow));
    connect(picture, &PictureImage::clicked, this, [this, k] { elementoCliccato(k); });
    Image1.append(picture);
    return picture;
}

void PictureOrdering::creaRisposta(int k, const QRect& twips)
{
    if (k == 0)
        Image2.clear();
    auto* answer = place(new AnswerPicture, QStringLiteral("Image2(%1)").arg(k), twips);
    answer->setCursor(Artwork::pointer(Artwork::Pointer::Arrow));
    answer->setAccessibleName(QStringLiteral("answer %1").arg(k + 1));
    Image2.append(answer);
}

void PictureOrdering::mostraParola(int k, const QString& word)
{
    Image1[k]->showPicture(word);
}

void PictureOrdering::copiaRisposta(int k)
{
    Image2[k]->showSameAs(*Image1[k]);
}

void PictureOrdering::svuotaRisposte()
{
    for (AnswerPicture* answer : Image2)
        answer->clear();
}
