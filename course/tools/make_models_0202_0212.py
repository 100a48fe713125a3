#!/usr/bin/env python3
"""Writes the model presentations of exercises 0202 to 0212 (course/models/02131202.ppt …
02131212.ppt) in the simulator's presentation format (FORMAT.md), with the designs and helpers of
make_office_files.py.

Every model is the cinema club's slide show in the design "Capsules", six slides long; slides 3 and 4
hold what the exercise works on (what its check relies on is listed in shared/COURSE.md).

Run from anywhere: python3 course/tools/make_models_0202_0212.py. The files it writes are committed;
run it again after changing a model here."""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

import make_office_files as office  # noqa: E402

rgb = office.rgb
CAPSULES = office.DESIGNS["Capsules"]
SCHEME = CAPSULES["schemes"][0]
TITLE_FONT = CAPSULES["title_font"]
BODY_FONT = CAPSULES["body_font"]
WHITE = rgb(255, 255, 255)


def font(**changes):
    """The body font of "Capsules" with some attributes changed (a colour given as an RGB integer)."""
    if isinstance(changes.get("color"), int):
        changes["color"] = office.hex_rgb(changes["color"])
    return dict(BODY_FONT, **changes)


def title_slide():
    return office.title_slide("Cinéloisirs", "Le ciné-club de la ville : programme de la saison 2026-2027",
                              TITLE_FONT, BODY_FONT, SCHEME)


def text_slide(title, paragraphs, body_font=None, title_font=None, bullets=True, level_format=None):
    """A slide of the text layout: its title (shape 1) and its text (shape 2)."""
    return office.slide(2, [
        office.placeholder(1, "Titre 1", 36, 21.625, 648, 90,
                           office.body([title], title_font or TITLE_FONT, level_format={"alignment": 2})),
        office.placeholder(2, "Espace réservé du texte 2", 36, 126, 648, 356.375,
                           office.with_ruler(office.body(paragraphs, body_font or BODY_FONT, bullets=bullets,
                                                         level_format=level_format))),
    ], SCHEME)


def who_we_are():
    return text_slide("Qui sommes-nous ?", [
        "Une association de passionnés fondée par des habitants du quartier",
        "Une projection chaque vendredi soir à la salle des fêtes",
        "Un débat après chaque film, autour d'un verre"])


def favourites():
    return text_slide("Nos coups de cœur", [
        "Un classique du cinéma muet, accompagné au piano",
        "Une comédie italienne sortie en 1994",
        "Un documentaire sur les métiers du cinéma"])


def workshops():
    return text_slide("Les ateliers", [
        "Écriture de scénario, le samedi matin",
        "Initiation au montage pour les adolescents",
        "Analyse de films avec un critique invité"])


def membership():
    return text_slide("Adhésion", [
        "Carte annuelle : 25 euros",
        "Carte jeune (moins de 18 ans) : 12 euros",
        "Inscriptions au forum des associations en septembre"])


def festival(runs_of_first, body_font=None, title_font=None):
    """Slide 3 of the word exercises: the summer festival, its first paragraph given as runs."""
    return text_slide("Le festival d'été", [
        (runs_of_first, 1),
        "Trois soirées en plein air dans le parc",
        "Des films restaurés, de 1950 à 1990",
        "Une soirée consacrée aux courts métrages",
        ("Entrée libre pour les adhérents", 2),
        ("Tarif réduit pour les étudiants", 2),
        "Réservation conseillée à l'accueil",
        "Programme complet sur notre site"], body_font=body_font, title_font=title_font)


def restored_films(year_font):
    """Slide 3 of the formatting-copy exercise: "1990" in a formatting of its own."""
    return text_slide("Le festival d'été", [
        "Trois soirées en plein air dans le parc",
        [("Des films restaurés, de 1950 à ", None), ("1990", year_font)],
        "Une soirée consacrée aux courts métrages",
        "Réservation conseillée à l'accueil"])


def deck(slides):
    return office.presentation([office.design("Capsules")], slides, CAPSULES["schemes"],
                               template_name="Capsules.pot",
                               properties={"title": "Cinéloisirs", "author": "Cinéloisirs",
                                           "template": "Capsules",
                                           "creation_date": "2026-09-01 09:30:00",
                                           "last_save_time": "2026-09-02 18:05:00"})


def plain_festival():
    return festival([("Le festival exceptionnel de juillet", None)])


# --- One model per exercise -----------------------------------------------------------------------

def model_0202():
    """Slide 2 in the text layout: the opening of the season, to become a title slide."""
    season = text_slide("La saison 2026-2027", ["Trente séances du vendredi, d'octobre à juin"])
    return deck([title_slide(), season, who_we_are(), favourites(), workshops(), membership()])


def model_0203():
    """Slide 3: "exceptionnel" shadowed, nothing underlined."""
    first = [("Le festival ", None), ("exceptionnel", font(shadow=True)), (" de juillet", BODY_FONT)]
    return deck([title_slide(), who_we_are(), festival(first), favourites(), workshops(), membership()])


def model_0204():
    """Slide 3: title and text in "Tahoma" throughout, with "1990"."""
    tahoma_title = dict(TITLE_FONT, name="Tahoma")
    tahoma_text = font(name="Tahoma")
    return deck([title_slide(), who_we_are(),
                 festival([("Le festival exceptionnel de juillet", None)], body_font=tahoma_text,
                          title_font=tahoma_title),
                 favourites(), workshops(), membership()])


def model_0205():
    """Slide 3: the text at 28 points throughout, with "1990"."""
    screenings = text_slide("Les séances", [
        "Le vendredi à 20 h 30, salle des fêtes",
        "Une séance pour les enfants le mercredi à 15 h",
        "Films en version originale sous-titrée"])
    return deck([title_slide(), who_we_are(), festival([("Le festival exceptionnel de juillet", None)],
                                                       body_font=font(size=28)),
                 favourites(), screenings, membership()])


def model_0206():
    """Slide 3: the text white throughout, on a dark background of the slide's own."""
    slide3 = festival([("Le festival exceptionnel de juillet", None)], body_font=font(color=WHITE),
                      title_font=dict(TITLE_FONT, color=office.hex_rgb(WHITE)))
    slide3["follow_master_background"] = False
    slide3["background"] = office.fill(1, fore=rgb(0, 0, 102))
    return deck([title_slide(), who_we_are(), slide3, favourites(), workshops(), membership()])


def model_0207():
    """Slide 3: "1990" in Comic Sans MS 24, shadowed; slide 4: "1994" in the text's font and size."""
    year = {"name": "Comic Sans MS", "size": 24, "color": office.hex_rgb(rgb(204, 0, 0)), "shadow": True}
    return deck([title_slide(), who_we_are(), restored_films(year), favourites(), workshops(), membership()])


def model_0208():
    """Slide 3: a letter of eight left-aligned paragraphs, the last two its signature."""
    letter = text_slide("Le mot du bureau", [
        "Chers adhérents,",
        "Une nouvelle saison commence,",
        "riche en films et en rencontres.",
        "Merci à tous les bénévoles",
        "qui font vivre notre ciné-club.",
        "Bonne saison à toutes et à tous !",
        "Le bureau de Cinéloisirs",
        "Septembre 2026"], bullets=False)
    return deck([title_slide(), who_we_are(), letter, favourites(), workshops(), membership()])


def model_0209():
    """Slide 3: eight paragraphs, each with the bullet 110 of "Wingdings"."""
    programme = text_slide("Au programme cette saison", [
        "Un film classique chaque premier vendredi",
        "Des avant-premières avec les équipes",
        "Un cycle consacré au cinéma d'animation",
        "Des soirées à thème avec débat",
        "Un ciné-goûter pour les plus jeunes",
        "Le festival d'été en plein air",
        "Nouveau : une séance en audiodescription",
        "Programme détaillé à l'accueil"])
    return deck([title_slide(), who_we_are(), programme, favourites(), workshops(), membership()])


def model_0210():
    """Slide 3: eight one-line paragraphs, paragraphs 5, 6 and 8 of level 2 with 0.2 lines before."""
    programme = text_slide("Le programme du festival", [
        "Vendredi : ouverture en plein air",
        "Samedi : nuit du court métrage",
        "Dimanche : films pour les enfants",
        "Tarifs du festival",
        ("Plein tarif : 6 euros", 2),
        ("Adhérents : 4 euros", 2),
        "Restauration sur place",
        ("Crêpes et boissons à prix doux", 2)])
    return deck([title_slide(), who_we_are(), programme, favourites(), workshops(), membership()])


def model_0211():
    """The slide show itself: the exercise works on PowerPoint's toolbar."""
    partners = text_slide("Nos partenaires", [
        "La mairie, qui nous prête la salle des fêtes",
        "La médiathèque et son fonds de films",
        "Le cinéma du centre-ville"])
    return deck([title_slide(), who_we_are(), plain_festival(), favourites(), partners, membership()])


def model_0212():
    """Slide 4: the prices, each with a tab before the amount, and no tab stop set."""
    prices = text_slide("Les tarifs", [
        "Plein tarif\t6 euros",
        "Adhérents\t4 euros",
        "Étudiants\t4 euros",
        "Moins de 12 ans\t3 euros"])
    return deck([title_slide(), who_we_are(), plain_festival(), prices, workshops(), membership()])


MODELS = {
    "02131202.ppt": model_0202,
    "02131203.ppt": model_0203,
    "02131204.ppt": model_0204,
    "02131205.ppt": model_0205,
    "02131206.ppt": model_0206,
    "02131207.ppt": model_0207,
    "02131208.ppt": model_0208,
    "02131209.ppt": model_0209,
    "02131210.ppt": model_0210,
    "02131211.ppt": model_0211,
    "02131212.ppt": model_0212,
}


def main():
    for name, make in MODELS.items():
        office.write(office.COURSE / "models" / name, make())


if __name__ == "__main__":
    main()
