#include "player/codes.hpp"

namespace player {
namespace {

const char* const kJuste = "le travail est juste";

}  // namespace

const std::vector<ExerciseEntry>& CourseExercises() {
  static const std::vector<ExerciseEntry> kExercises = {
      {201,
       "Appliquer le modèle de conception « Texture »",
       {{"A", "c'est le modèle « Pixel » qui est appliqué, pas « Texture »"},
        {"B", "un autre modèle que « Texture » est appliqué, ou aucun"},
        {"", kJuste}}},
      {202,
       "Donner à la diapositive 2 la disposition Titre",
       {{"A", "la diapositive 2 a toujours la disposition Texte"},
        {"B", "la diapositive 2 a reçu une autre disposition que Titre"},
        {"", kJuste}}},
      {203,
       "Souligner un mot du texte de la diapositive 3",
       {{"F", "une zone de texte de la diapositive 3 a été supprimée"},
        {"G", "le mot « exceptionnel » figure plus d'une fois dans le texte"},
        {"A", "le mot « exceptionnel » a disparu du texte"},
        {"B", "le mot a encore seulement son ombre"},
        {"C", "le mot n'est pas souligné, ou ne l'est qu'en partie"},
        {"D", "le mot a reçu un autre attribut que le soulignement, ou a perdu son ombre"},
        {"H", "un autre mot est souligné"},
        {"", kJuste}}},
      {204,
       "Changer la police d'un mot du texte de la diapositive 3",
       {{"D", "une zone de texte de la diapositive 3 a été supprimée"},
        {"E", "l'année « 1990 » figure plus d'une fois dans le texte"},
        {"A", "l'année « 1990 » a disparu du texte"},
        {"B", "l'année « 1990 » est toujours en Tahoma"},
        {"F", "la police d'un autre mot a été changée"},
        {"C", "l'année « 1990 » n'est pas dans une seule police"},
        {"", kJuste}}},
      {205,
       "Changer la taille d'un mot du texte de la diapositive 3",
       {{"D", "la zone de texte de la diapositive 3 a été supprimée"},
        {"E", "l'année « 1990 » figure plus d'une fois dans le texte"},
        {"A", "l'année « 1990 » a disparu du texte"},
        {"F", "tout le texte a une seule et même taille : seule l'année devait changer"},
        {"B", "l'année « 1990 » est toujours à 28 points"},
        {"C", "l'année « 1990 » n'est pas d'une seule taille"},
        {"", kJuste}}},
      {206,
       "Colorer un mot du texte de la diapositive 3",
       {{"D", "la zone de texte de la diapositive 3 a été supprimée"},
        {"E", "le mot « exceptionnel » figure plus d'une fois dans le texte"},
        {"A", "le mot « exceptionnel » a disparu du texte"},
        {"F", "tout le texte a reçu une même couleur autre que le blanc"},
        {"C", "le mot n'est pas d'une seule couleur"},
        {"B", "le mot est toujours blanc"},
        {"", kJuste}}},
      {207,
       "Reproduire la mise en forme d'une année sur une autre diapositive",
       {{"D", "la zone de texte de la diapositive 3 a été supprimée"},
        {"E", "l'année « 1990 » figure plus d'une fois sur la diapositive 3"},
        {"F", "la zone de texte de la diapositive 4 a été supprimée"},
        {"G", "l'année « 1994 » figure plus d'une fois sur la diapositive 4"},
        {"A", "l'année « 1990 » ou l'année « 1994 » a disparu"},
        {"H", "la mise en forme de l'année « 1990 » a été modifiée"},
        {"B", "l'année « 1994 » n'a pas exactement la mise en forme de « 1990 »"},
        {"C", "bravo : l'année « 1994 » a la mise en forme de « 1990 »"}}},
      {208,
       "Aligner à droite les deux derniers paragraphes d'un texte",
       {{"A", "la zone de texte de la diapositive 3 a été supprimée"},
        {"B", "le texte n'a plus huit paragraphes"},
        {"C", "le paragraphe 7 n'est pas aligné à droite"},
        {"D", "le paragraphe 8 n'est pas aligné à droite"},
        {"E", "un des six premiers paragraphes n'est plus aligné à gauche"},
        {"", kJuste}}},
      {209,
       "Changer la puce d'un paragraphe et supprimer celle d'un autre",
       {{"H", "le masque des diapositives a été modifié au lieu de la diapositive"},
        {"A", "la zone de texte de la diapositive 3 a été supprimée"},
        {"B", "le texte n'a plus huit paragraphes"},
        {"E", "la puce du paragraphe 7 a été supprimée"},
        {"C", "le paragraphe 7 a toujours sa puce d'origine"},
        {"D", "le paragraphe 7 n'a pas la puce demandée (caractère 36 de Wingdings)"},
        {"I", "la nouvelle puce a été donnée à tout le texte"},
        {"G", "le paragraphe 8 a reçu une autre puce au lieu d'aucune"},
        {"F", "le paragraphe 8 a toujours sa puce"},
        {"J", "les puces des six premiers paragraphes ont été supprimées"},
        {"", kJuste}}},
      {210,
       "Régler l'espace avant un paragraphe",
       {{"A", "la zone de texte de la diapositive 3 a été supprimée"},
        {"B", "le texte n'a plus huit paragraphes"},
        {"C", "une ligne vide a été tapée entre les paragraphes 7 et 8"},
        {"L", "le paragraphe 8 n'est plus au niveau 2"},
        {"I", "l'interligne du paragraphe 8 a été modifié"},
        {"D", "c'est l'espace après le paragraphe 7 qui a été modifié"},
        {"F", "l'espace après le paragraphe 8 a été modifié"},
        {"E", "l'espace avant le paragraphe 8 n'a pas été modifié"},
        {"H", "l'espace avant a été donné en points au lieu de lignes"},
        {"G", "l'espace avant le paragraphe 8 n'est pas de 0,3 ligne"},
        {"J", "l'espacement a été donné à tous les paragraphes"},
        {"K", "l'espacement a été donné à tous les paragraphes de niveau 2"},
        {"", kJuste}}},
      {211,
       "Activer un bouton bascule de la barre d'outils « Frames »",
       {{"A", "le bouton de la barre d'outils « Frames » n'est pas enfoncé"}, {"", kJuste}}},
      {212,
       "Poser une tabulation gauche dans le texte d'une diapositive",
       {{"E", "une tabulation a été posée sur le masque des diapositives"},
        {"A", "la zone de texte de la diapositive 4 a été supprimée"},
        {"D", "plus d'une tabulation a été posée"},
        {"B", "aucune tabulation n'a été posée"},
        {"C", "la tabulation posée n'est pas une tabulation gauche"},
        {"", kJuste}}},
      {213,
       "Appliquer à toutes les diapositives un jeu de couleurs du modèle « Texture »",
       {{"C", "un jeu de couleurs standard a été ajouté ou supprimé"},
        {"A", "les diapositives n'ont pas toutes le même jeu de couleurs"},
        {"B", "le cinquième jeu de couleurs standard a été modifié"},
        {"F", "les diapositives ont reçu le cinquième jeu de couleurs, qui n'est pas celui demandé"},
        {"E", "la première diapositive n'a plus la conception « Texture »"},
        {"", kJuste}}},
      {214,
       "Donner à l'arrière-plan une texture prédéfinie",
       {{"F", "l'arrière-plan n'a pas été appliqué à toutes les diapositives"},
        {"A", "le masque des diapositives et le masque de titre ont des arrière-plans différents"},
        {"E", "l'arrière-plan est une image, pas une texture"},
        {"B", "l'arrière-plan n'est pas une texture"},
        {"C", "la texture appliquée n'est pas « Noyer »"},
        {"", kJuste}}},
      {215,
       "Afficher le masque des diapositives",
       {{"A", "l'affichage normal montre toujours les diapositives, pas le masque"},
        {"B",
         "un autre affichage que le masque des diapositives est ouvert (nommé en information "
         "complémentaire)"},
        {"", kJuste}}},
      {216,
       "Mettre en retrait le deuxième niveau de texte du masque des diapositives",
       {{"A", "une zone du masque des diapositives a été supprimée"},
        {"B", "le texte du masque n'a plus cinq paragraphes"},
        {"I", "un paragraphe du texte du masque a changé de niveau"},
        {"C", "le premier niveau a été modifié"},
        {"D", "la puce du deuxième niveau a été supprimée"},
        {"E", "le retrait du deuxième niveau n'a pas changé"},
        {"F", "le deuxième niveau a été déplacé vers la gauche"},
        {"G", "la puce du deuxième niveau a été déplacée avec le texte"},
        {"H", "le retrait de première ligne dépasse le retrait du texte"},
        {"", kJuste}}},
      {217,
       "Réduire et abaisser la zone de titre du masque de titre",
       {{"A", "le masque de titre n'est pas affiché"},
        {"C", "la zone de titre du masque de titre a été supprimée"},
        {"D", "la hauteur de la zone de titre n'a pas changé"},
        {"E", "la zone de titre a été agrandie au lieu d'être réduite"},
        {"F", "la zone de titre n'a pas été déplacée"},
        {"G", "la zone de titre a été remontée au lieu d'être abaissée"},
        {"", kJuste}}},
      {218,
       "Ajouter le modèle de conception « Texture » à côté de « Capsules »",
       {{"A", "la présentation n'a plus aucun modèle de conception"},
        {"B", "le modèle « Texture » n'a pas été ajouté"},
        {"C", "« Texture » a remplacé « Capsules » : il ne reste qu'un modèle"},
        {"D", "plus de deux modèles de conception sont utilisés"},
        {"E", "l'autre modèle n'est pas « Capsules » (nommé en information complémentaire)"},
        {"", kJuste}}},
      {219,
       "Afficher l'aperçu des documents à quatre diapositives par page",
       {{"A", "l'aperçu avant impression n'est pas affiché"},
        {"B", "l'aperçu n'imprime pas toutes les diapositives"},
        {"C", "l'aperçu ne montre pas des documents à quatre diapositives par page"},
        {"", kJuste}}},
      {220,
       "Passer les commentaires et les documents en orientation paysage",
       {{"B", "les diapositives ont été passées en portrait"},
        {"A", "les commentaires et les documents ne sont pas en paysage"},
        {"", kJuste}}},
      {221,
       "Donner un en-tête aux documents",
       {{"B", "une zone du masque du document a été supprimée"},
        {"D", "une zone du masque du document a été redimensionnée ou pivotée"},
        {"E", "une zone du masque du document a été déplacée"},
        {"F", "aucun en-tête n'a été saisi pour les documents"},
        {"", kJuste}}},
      {222,
       "Enregistrer la présentation comme modèle de conception « Ciné.pot »",
       {{"A", "la présentation n'a pas été enregistrée comme modèle de conception"},
        {"B", "le modèle n'a pas été nommé « Ciné.pot »"},
        {"C", "le modèle n'a pas été enregistré dans le dossier des modèles"},
        {"D", "le nombre de diapositives a changé (donné en information complémentaire)"},
        {"E", "la première diapositive n'est plus à sa place"},
        {"F", "la deuxième diapositive n'est plus à sa place"},
        {"", kJuste}}},
      {223,
       "Créer une présentation à partir du modèle « Ciné.pot »",
       {{"C", "aucune présentation n'est ouverte"},
        {"A", "la présentation n'a pas été créée pendant l'exercice"},
        {"B", "la présentation n'est pas fondée sur le modèle « Ciné.pot »"},
        {"", kJuste}}},
      {224,
       "Créer et enregistrer « Objectifs.ppt » à partir d'un type de contenu",
       {{"A", "aucune présentation enregistrée n'est ouverte"},
        {"B", "la présentation a été enregistrée dans un autre dossier"},
        {"C", "la présentation n'a pas été nommée « Objectifs.ppt »"},
        {"D", "la présentation n'a pas été enregistrée pendant l'exercice"},
        {"E", "ce n'est pas le type de contenu « Recommending a strategy »"},
        {"F", "le format de sortie n'est pas celui des transparents"},
        {"G", "le sous-titre n'a pas été remplacé"},
        {"H", "le titre a été effacé"},
        {"I", "le numéro, la date ou le pied de page est affiché sur la diapositive 1"},
        {"", kJuste}}},
  };
  return kExercises;
}

const ExerciseEntry* FindExercise(std::int32_t number) {
  for (const auto& exercise : CourseExercises()) {
    if (exercise.number == number) return &exercise;
  }
  return nullptr;
}

const std::vector<CodeMeaning>& GeneralCodes() {
  static const std::vector<CodeMeaning> kCodes = {
      {"AK", "PowerPoint n'est plus affiché : sa fenêtre a été fermée ou masquée"},
      {"%AL", "PowerPoint refuse les commandes : une boîte de dialogue est sans doute ouverte"},
      {"AM", "la fenêtre principale de PowerPoint est introuvable"},
      {"AN", "la vérification de la présentation a échoué sur une erreur"},
      {"A", "aucune présentation n'est ouverte dans PowerPoint"},
      {"F",
       "la présentation de l'exercice n'est plus ouverte à son emplacement : fermée, renommée ou "
       "enregistrée ailleurs"},
      {"G", "la présentation de l'exercice n'est pas la présentation active"},
      {"C", "des diapositives de la présentation ont été supprimées"},
      {"D", "des diapositives ont été ajoutées ou dupliquées"},
      {"E", "l'ordre des diapositives a changé"},
  };
  return kCodes;
}

std::string Sentence(std::int32_t exercise, bool erreur_generale, const std::string& code) {
  const std::vector<CodeMeaning>* codes = &GeneralCodes();
  if (!erreur_generale) {
    const auto* entry = FindExercise(exercise);
    if (!entry) return "";
    codes = &entry->codes;
  }
  for (const auto& meaning : *codes) {
    if (meaning.code == code) return meaning.sentence;
  }
  return "";
}

std::string UnreachableReason(std::int32_t exercise, const std::string& code) {
  if (exercise == 218 && code == "A") {
    return "une présentation garde toujours au moins un modèle de conception (PowerPoint ne laisse pas "
           "supprimer le dernier, et appliquer un modèle en remplace un) : le contrôle ne peut pas en "
           "compter "
           "zéro";
  }
  return "";
}

std::string Quoted(const std::string& sentence) {
  return sentence.empty() ? "" : "« " + sentence + " »";
}

}  // namespace player
